#pragma once

#include <QString>

// The system's own settings file "ExportacaoQuelvar.ini" in PastaConfiguracao(), section CONFIG.
// Every call opens, reads or writes one key, and closes the file; a refused write raises
// Erro("Unable to write to <path>").
namespace ConfiguracaoExportacao {

constexpr int EmpresaPadrao = 45911;

QString Caminho();

QString LerDiretorio();   // "" when absent
QString LerCNPJMatriz();  // "" when absent
QString LerNomeMatriz();  // "" when absent
int LerEmpresa();         // 45911 when absent or not a whole number
int LerTipoData();        // 0 when absent; 1 = due date, 0 = entry date

void GravarDiretorio(const QString& valor);
void GravarCNPJMatriz(const QString& valor);
void GravarNomeMatriz(const QString& valor);
void GravarEmpresa(int valor);
void GravarTipoData(int valor);

}  // namespace ConfiguracaoExportacao
