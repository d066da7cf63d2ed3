#pragma once

#include <QByteArray>
#include <QString>

// The characters "0" to "9" of the text, in their order; everything else dropped.
QString SomenteNumeros(const QString& texto);

// The text without leading and trailing characters of code 32 or below (blanks and controls).
QString Aparar(const QString& texto);
QByteArray Aparar(const QByteArray& texto);

// True when nothing is left once Aparar has run.
inline bool EmBranco(const QString& texto) { return Aparar(texto).isEmpty(); }
