#pragma once

#include <QString>

struct RelatorioPreparado;

enum class FormatoExportacao { Pdf, Excel, Word, Texto };

// "pdf", "xlsx", "docx", "txt".
QString ExtensaoArquivo(FormatoExportacao formato);

// Writes the prepared pages to the file, replacing one that exists. The file appears whole or
// not at all: on any failure Erro is raised with a clear text and an old file stays as it was.
void ExportarRelatorio(const RelatorioPreparado& relatorio, FormatoExportacao formato, const QString& caminho);
