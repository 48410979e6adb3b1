from qgis.core import QgsProcessingProvider

from .algorithmen import CodeHinzufuegen, CodesZuZellen, GitterErzeugen


class Anbieter(QgsProcessingProvider):
    def id(self):
        return "quadrix"

    def name(self):
        return "Quadrix (MTB)"

    def longName(self):  # noqa: N802
        return "Quadrix: Messtischblatt-Quadranten"

    def loadAlgorithms(self):  # noqa: N802
        for a in (CodeHinzufuegen(), GitterErzeugen(), CodesZuZellen()):
            self.addAlgorithm(a)
