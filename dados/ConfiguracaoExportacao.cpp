#include "ConfiguracaoExportacao.h"

#include "Ini.h"
#include "Pastas.h"

namespace ConfiguracaoExportacao {

namespace {

const QString Secao = QStringLiteral("CONFIG");

QString lerTexto(const QString& chave) { return ArquivoIni(Caminho()).lerTexto(Secao, chave, QString()); }
int lerInteiro(const QString& chave, int padrao) { return ArquivoIni(Caminho()).lerInteiro(Secao, chave, padrao); }
void gravarTexto(const QString& chave, const QString& valor) { ArquivoIni(Caminho()).gravarTexto(Secao, chave, valor); }
void gravarInteiro(const QString& chave, int valor) { ArquivoIni(Caminho()).gravarInteiro(Secao, chave, valor); }

}  // namespace

QString Caminho() { return PastaConfiguracao() + QStringLiteral("ExportacaoQuelvar.ini"); }

QString LerDiretorio() { return lerTexto(QStringLiteral("Diretorio")); }
QString LerCNPJMatriz() { return lerTexto(QStringLiteral("CNPJMatriz")); }
QString LerNomeMatriz() { return lerTexto(QStringLiteral("NomeMatriz")); }
int LerEmpresa() { return lerInteiro(QStringLiteral("Empresa"), EmpresaPadrao); }
int LerTipoData() { return lerInteiro(QStringLiteral("TipoData"), 0); }

void GravarDiretorio(const QString& valor) { gravarTexto(QStringLiteral("Diretorio"), valor); }
void GravarCNPJMatriz(const QString& valor) { gravarTexto(QStringLiteral("CNPJMatriz"), valor); }
void GravarNomeMatriz(const QString& valor) { gravarTexto(QStringLiteral("NomeMatriz"), valor); }
void GravarEmpresa(int valor) { gravarInteiro(QStringLiteral("Empresa"), valor); }
void GravarTipoData(int valor) { gravarInteiro(QStringLiteral("TipoData"), valor); }

}  // namespace ConfiguracaoExportacao
