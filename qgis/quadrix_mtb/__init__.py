"""Quadrix MTB: a Processing provider for QGIS over Quadrix's library,
loaded with ctypes from the plugin's own folder (Linux and Windows)."""


def classFactory(iface):  # noqa: N802 (QGIS's name)
    from .erweiterung import Erweiterung
    return Erweiterung(iface)
