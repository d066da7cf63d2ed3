#include "Exportacao.h"

#include "Erro.h"
#include "Formatos.h"

#include <QDir>
#include <QSaveFile>

namespace {

void gravarInteiro(const QString& caminho, const QByteArray& conteudo) {
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(conteudo) != conteudo.size() || !arquivo.commit()) {
        throw Erro(QStringLiteral("Não foi possível gravar o arquivo \"%1\": %2")
                       .arg(QDir::toNativeSeparators(caminho), arquivo.errorString()));
    }
}

}  // namespace

QString ExtensaoArquivo(FormatoExportacao formato) {
    switch (formato) {
    case FormatoExportacao::Pdf:
        return QStringLiteral("pdf");
    case FormatoExportacao::Excel:
        return QStringLiteral("xlsx");
    case FormatoExportacao::Word:
        return QStringLiteral("docx");
    case FormatoExportacao::Texto:
        return QStringLiteral("txt");
    }
    Q_UNREACHABLE();
}

void ExportarRelatorio(const RelatorioPreparado& relatorio, FormatoExportacao formato, const QString& caminho) {
    QByteArray conteudo;
    switch (formato) {
    case FormatoExportacao::Pdf:
        conteudo = GerarPdf(relatorio);
        break;
    case FormatoExportacao::Excel:
        conteudo = GerarXlsx(relatorio);
        break;
    case FormatoExportacao::Word:
        conteudo = GerarDocx(relatorio);
        break;
    case FormatoExportacao::Texto:
        conteudo = GerarTexto(relatorio);
        break;
    }
    gravarInteiro(caminho, conteudo);
}
