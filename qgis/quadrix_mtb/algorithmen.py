"""The three algorithms a recorder with a point layer needs: the MTB code of
each point, the MTB grid of an extent, and the cells of a layer of codes."""

import math

from qgis.core import (QgsCoordinateReferenceSystem, QgsCoordinateTransform, QgsFeature, QgsFeatureSink,
                       QgsField, QgsFields, QgsGeometry, QgsPointXY, QgsProcessing, QgsProcessingAlgorithm,
                       QgsProcessingException, QgsProcessingParameterEnum, QgsProcessingParameterExtent,
                       QgsProcessingParameterFeatureSink, QgsProcessingParameterFeatureSource,
                       QgsProcessingParameterField, QgsProcessingParameterNumber, QgsProcessingParameterString,
                       QgsProject, QgsWkbTypes)
from qgis.PyQt.QtCore import QVariant

from .bibliothek import Lauf

SCHREIBWEISEN = ["slash", "compact", "dot", "blank"]
SCHREIBWEISEN_TEXT = ["5818/3/3/2/1/1", "5818/33211", "5818.33211", "5818 33211"]
POTSDAM = QgsCoordinateReferenceSystem("EPSG:4314")  # DHDN, the sheet grid's datum
ETRS89 = QgsCoordinateReferenceSystem("EPSG:4258")
BESSEL = "EPSG:7004"


def zahl(wert):
    """A field's value as a number; NaN for NULL, empty or not a number."""
    if wert is None or (isinstance(wert, QVariant) and wert.isNull()):
        return math.nan
    try:
        return float(wert)
    except (TypeError, ValueError):
        return math.nan


class Basis(QgsProcessingAlgorithm):
    def group(self):
        return "MTB"

    def groupId(self):  # noqa: N802
        return "mtb"

    def createInstance(self):  # noqa: N802
        return type(self)()


class CodeHinzufuegen(Basis):
    """Adds the code (and the reason where a point has none) to each point."""

    def name(self):
        return "mtbcode"

    def displayName(self):  # noqa: N802
        return "MTB-Code hinzufügen"

    def shortHelpString(self):  # noqa: N802
        return ("Fügt jedem Punkt den Code seines Blattes der TK 25 mit Quadranten hinzu, wie mtbq ihn gibt. "
                "Punkte in einem KBS auf DHDN (Bessel) gelten als Potsdam-Datum, alle anderen werden nach "
                "ETRS89 gebracht und mit BETA2007 umgerechnet. Ein Feld der Unsicherheit (Radius in Metern) "
                "kürzt jeden Code auf die tiefste Ebene, deren Zelle den Kreis ganz enthält. Punkte ohne Code "
                "behalten ein leeres Feld und erhalten den Grund.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterFeatureSource("INPUT", "Punktlayer",
                                                              [QgsProcessing.TypeVectorPoint]))
        self.addParameter(QgsProcessingParameterField("UNCERTAINTY", "Feld der Unsicherheit (m)", None, "INPUT",
                                                      QgsProcessingParameterField.Numeric, optional=True))
        self.addParameter(QgsProcessingParameterNumber("LEVELS", "Ebenen", QgsProcessingParameterNumber.Integer,
                                                       5, minValue=0, maxValue=5))
        self.addParameter(QgsProcessingParameterEnum("NOTATION", "Schreibweise", SCHREIBWEISEN_TEXT,
                                                     defaultValue=0))
        self.addParameter(QgsProcessingParameterString("FIELD", "Name des Feldes", "mtb"))
        self.addParameter(QgsProcessingParameterFeatureSink("OUTPUT", "Mit MTB-Code"))

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        quelle = self.parameterAsSource(parameters, "INPUT", context)
        feld_r = self.parameterAsString(parameters, "UNCERTAINTY", context)
        ebenen = self.parameterAsInt(parameters, "LEVELS", context)
        schreibweise = SCHREIBWEISEN[self.parameterAsEnum(parameters, "NOTATION", context)]
        name = self.parameterAsString(parameters, "FIELD", context) or "mtb"
        felder = QgsFields(quelle.fields())
        felder.append(QgsField(name, QVariant.String))
        felder.append(QgsField(name + "_grund", QVariant.String))
        sink, ziel = self.parameterAsSink(parameters, "OUTPUT", context, felder, quelle.wkbType(),
                                          quelle.sourceCrs())
        crs = quelle.sourceCrs()
        potsdam = crs.ellipsoidAcronym() == BESSEL
        nach = QgsCoordinateTransform(crs, POTSDAM if potsdam else ETRS89, context.transformContext())
        merkmale, breite, laenge, radien = [], [], [], []
        for f in quelle.getFeatures():
            merkmale.append(f)
            g = f.geometry()
            b = l = math.nan
            if g and not g.isEmpty() and QgsWkbTypes.flatType(g.wkbType()) == QgsWkbTypes.Point:
                p = nach.transform(g.asPoint())
                b, l = p.y(), p.x()
            breite.append(b)
            laenge.append(l)
            if feld_r:
                radien.append(zahl(f[feld_r]))
        with Lauf(datum="potsdam" if potsdam else "etrs89", levels=ebenen, notation=schreibweise) as lauf:
            ergebnisse = lauf.codes(breite, laenge, radien if feld_r else None)
        for i, (f, (code, grund)) in enumerate(zip(merkmale, ergebnisse)):
            if feedback.isCanceled():
                break
            if math.isnan(breite[i]):
                grund = "kein einzelner Punkt"
            neu = QgsFeature(felder)
            neu.setGeometry(f.geometry())
            neu.setAttributes(f.attributes() + [code or None, grund or None])
            sink.addFeature(neu, QgsFeatureSink.FastInsert)
            feedback.setProgress(100 * i / max(1, len(merkmale)))
        return {"OUTPUT": ziel}


def polygon(rand):
    return QgsGeometry.fromPolygonXY([[QgsPointXY(l, b) for b, l in rand]])


class GitterErzeugen(Basis):
    """The sheet grid at one level for an extent, as polygons with codes."""

    def name(self):
        return "mtbgitter"

    def displayName(self):  # noqa: N802
        return "MTB-Gitter erzeugen"

    def shortHelpString(self):  # noqa: N802
        return ("Erzeugt die Blätter der TK 25 oder ihre Quadranten einer Ebene (0 = Blatt, 1 bis 5), die den "
                "Ausschnitt berühren, als Polygone mit ihrem Code, im Potsdam-Datum (DHDN, EPSG:4314), in dem "
                "das Gitter liegt. Der Ausschnitt kann der eines Layers sein.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterExtent("EXTENT", "Ausschnitt"))
        self.addParameter(QgsProcessingParameterNumber("LEVEL", "Ebene", QgsProcessingParameterNumber.Integer, 1,
                                                       minValue=0, maxValue=5))
        self.addParameter(QgsProcessingParameterEnum("NOTATION", "Schreibweise", SCHREIBWEISEN_TEXT,
                                                     defaultValue=0))
        self.addParameter(QgsProcessingParameterFeatureSink("OUTPUT", "MTB-Gitter",
                                                            QgsProcessing.TypeVectorPolygon))

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        ausschnitt = self.parameterAsExtent(parameters, "EXTENT", context, POTSDAM)
        ebene = self.parameterAsInt(parameters, "LEVEL", context)
        schreibweise = SCHREIBWEISEN[self.parameterAsEnum(parameters, "NOTATION", context)]
        felder = QgsFields()
        felder.append(QgsField("code", QVariant.String))
        sink, ziel = self.parameterAsSink(parameters, "OUTPUT", context, felder, QgsWkbTypes.Polygon, POTSDAM)
        with Lauf(levels=ebene, notation=schreibweise) as lauf:
            try:
                codes = lauf.netz(ausschnitt.yMinimum(), ausschnitt.xMinimum(), ausschnitt.yMaximum(),
                                  ausschnitt.xMaximum())
            except ValueError as e:
                raise QgsProcessingException(str(e))
            for i, code in enumerate(codes):
                if feedback.isCanceled():
                    break
                rand, _ = lauf.netz_zelle(i)
                f = QgsFeature(felder)
                f.setGeometry(polygon(rand))
                f.setAttributes([code])
                sink.addFeature(f, QgsFeatureSink.FastInsert)
                feedback.setProgress(100 * i / max(1, len(codes)))
        return {"OUTPUT": ziel}


class CodesZuZellen(Basis):
    """The cell of each code in a field, as a polygon layer."""

    def name(self):
        return "mtbzellen"

    def displayName(self):  # noqa: N802
        return "Codes zu Zellen"

    def shortHelpString(self):  # noqa: N802
        return ("Macht aus einem Feld mit Codes die Zellen als Polygone: MTB mit Quadranten (jede Schreibweise), "
                "Minutenfelder, EEA-, UTM- und MGRS-Quadrate und Gauß-Krüger. Zellen des MTB, der Minutenfelder "
                "und Gauß-Krüger liegen im Potsdam-Datum (EPSG:4314), die übrigen in ETRS89 (EPSG:4258); die "
                "Ausgabe hat das Datum der ersten Zelle, Codes des anderen oder abgelehnte Codes erhalten keine "
                "Geometrie und den Grund.")

    def initAlgorithm(self, config=None):  # noqa: N802
        self.addParameter(QgsProcessingParameterFeatureSource("INPUT", "Layer mit Codes",
                                                              [QgsProcessing.TypeVector]))
        self.addParameter(QgsProcessingParameterField("FIELD", "Feld der Codes", None, "INPUT",
                                                      QgsProcessingParameterField.String))
        self.addParameter(QgsProcessingParameterEnum("GRID", "Gitter", ["an der Form erkennen", "Minutenfeld"],
                                                     defaultValue=0))
        self.addParameter(QgsProcessingParameterFeatureSink("OUTPUT", "Zellen", QgsProcessing.TypeVectorPolygon))

    def processAlgorithm(self, parameters, context, feedback):  # noqa: N802
        quelle = self.parameterAsSource(parameters, "INPUT", context)
        feld = self.parameterAsString(parameters, "FIELD", context)
        gitter = "minutenfeld" if self.parameterAsEnum(parameters, "GRID", context) == 1 else "mtb"
        with Lauf(grid=gitter) as lauf:
            zellen = []
            epsg = None
            for f in quelle.getFeatures():
                code = f[feld]
                rand, wer = lauf.zelle(str(code)) if code not in (None, "") else (None, "kein Code")
                if rand is not None:
                    epsg = epsg or wer
                    if wer != epsg:
                        rand, wer = None, "anderes Datum als die erste Zelle"
                zellen.append((f, rand, wer))
        felder = QgsFields(quelle.fields())
        felder.append(QgsField("zelle_grund", QVariant.String))
        crs = QgsCoordinateReferenceSystem(f"EPSG:{epsg or 4314}")
        sink, ziel = self.parameterAsSink(parameters, "OUTPUT", context, felder, QgsWkbTypes.Polygon, crs)
        for i, (f, rand, wer) in enumerate(zellen):
            if feedback.isCanceled():
                break
            neu = QgsFeature(felder)
            if rand is not None:
                neu.setGeometry(polygon(rand))
            neu.setAttributes(f.attributes() + [None if rand is not None else wer])
            sink.addFeature(neu, QgsFeatureSink.FastInsert)
            feedback.setProgress(100 * i / max(1, len(zellen)))
        return {"OUTPUT": ziel}
