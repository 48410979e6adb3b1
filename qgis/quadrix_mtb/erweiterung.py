from qgis.core import QgsApplication

from .anbieter import Anbieter


class Erweiterung:
    """The plugin: it only registers the Processing provider."""

    def __init__(self, iface):
        self.iface = iface
        self.anbieter = None

    def initProcessing(self):  # noqa: N802
        self.anbieter = Anbieter()
        QgsApplication.processingRegistry().addProvider(self.anbieter)

    def initGui(self):  # noqa: N802
        self.initProcessing()

    def unload(self):
        if self.anbieter:
            QgsApplication.processingRegistry().removeProvider(self.anbieter)
