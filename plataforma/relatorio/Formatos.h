#pragma once

#include <QByteArray>

struct RelatorioPreparado;

// The whole content of each export file; ExportarRelatorio writes it to disk in one go.
QByteArray GerarPdf(const RelatorioPreparado& relatorio);
QByteArray GerarXlsx(const RelatorioPreparado& relatorio);
QByteArray GerarDocx(const RelatorioPreparado& relatorio);
QByteArray GerarTexto(const RelatorioPreparado& relatorio);

// Name written into the metadata of every exported document.
inline constexpr char kNomePrograma[] = "ExportacaoQuelvar";
