#pragma once

#include <QString>

// Where the two settings files (sistema_zuv.ini and ExportacaoQuelvar.ini) are looked for: the
// executable's folder unless a caller (the command-line companion, tests) points elsewhere.
// The result always ends with the platform's separator.
QString PastaConfiguracao();
void DefinirPastaConfiguracao(const QString& pasta);

// True when the path ends with a separator ("\" or "/" on Windows, "/" elsewhere).
bool TerminaComSeparador(const QString& caminho);
// The path with the platform's separator appended unless it already ends with one.
QString ComSeparadorFinal(const QString& caminho);
