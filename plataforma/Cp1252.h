#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of every text the system writes. The engine and the export files
// work on byte strings; QString appears only at the edges (database driver, widgets, INI values).
namespace cp1252 {

// One byte per character; a character the code page lacks becomes '?'. The five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value,
// so every byte string survives a round trip through QString.
QByteArray codificar(QStringView texto);
QString decodificar(QByteArrayView bytes);

}  // namespace cp1252
