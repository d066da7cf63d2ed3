#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QWidget;

// The windows were laid out in pixels for Windows' fonts and group boxes; these keep that look
// on every platform.

// MS Sans Serif where it exists (only on Windows), else the nearest sans of the same size, so the
// captions stay inside their pixel boxes.
QFont FontePadrao();
// Arial (Liberation Sans where Arial is missing).
QFont FonteArial(int pontos = 8, bool negrito = false);
QFont FonteTahoma(int pontos);

void Colorir(QWidget* controle, QPalette::ColorRole papel, const QColor& cor);

// Group boxes keep their caption on the frame line, as the positions inside them assume; the
// Windows style draws them so on every platform.
void EstiloWindowsNosGrupos(QWidget* janela);
