#include "ApoioRelatorio.h"

#include "Pintor.h"

#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>

TabelaDados TabelaCupons(const QList<Cupom>& cupons) {
    QList<QVariantList> linhas;
    for (const Cupom& c : cupons)
        linhas.append(QVariantList{c.chapa, c.nome, c.codigo, c.documento, c.datahora, c.total});
    return TabelaDados({"chapa_cliente", "nome_beneficiario", "codigo_quelvar", "numero_documento_fiscal", "datahora",
                        "total_cupom"},
                       linhas);
}

TabelaDados CuponsNumerados(int n) {
    QList<Cupom> cupons;
    const QDateTime inicio(QDate(2024, 5, 1), QTime(8, 0));
    for (int i = 1; i <= n; ++i) {
        cupons.append({QStringLiteral("%1").arg(i, 8, 10, QChar(u'0')), QStringLiteral("BENEFICIÁRIO %1").arg(i),
                       QStringLiteral("0012"), 1000 + i, inicio.addSecs(60 * (i - 1)), QStringLiteral("1.2500")});
    }
    return TabelaCupons(cupons);
}

QList<QStringList> TextosDasFaixas(const PaginaPreparada& pagina, TipoBanda tipo) {
    QList<QStringList> resultado;
    for (const FaixaPagina& faixa : pagina.faixas) {
        if (faixa.tipo != tipo)
            continue;
        QStringList textos;
        for (const ItemPagina& item : faixa.itens) {
            if (item.tipo == ObjetoRelatorio::Tipo::Texto)
                textos << item.texto;
        }
        resultado << textos;
    }
    return resultado;
}

QList<TipoBanda> TiposDasFaixas(const PaginaPreparada& pagina) {
    QList<TipoBanda> tipos;
    for (const FaixaPagina& faixa : pagina.faixas)
        tipos << faixa.tipo;
    return tipos;
}

QImage Renderizar(const RelatorioPreparado& relatorio, int pagina, double pixelsPorUnidade) {
    const QSizeF tamanho = relatorio.tamanhoPagina() * pixelsPorUnidade;
    QImage imagem(tamanho.toSize(), QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter pintor(&imagem);
    pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    pintor.scale(pixelsPorUnidade, pixelsPorUnidade);
    DesenharPagina(pintor, relatorio.paginas.at(pagina));
    return imagem;
}

QByteArray Executar(const QString& programa, const QStringList& argumentos) {
    QProcess processo;
    processo.start(programa, argumentos);
    const bool terminou = processo.waitForFinished(60000);
    EXPECT_TRUE(terminou && processo.exitStatus() == QProcess::NormalExit && processo.exitCode() == 0)
        << programa.toStdString() << " failed: " << processo.readAllStandardError().toStdString();
    return processo.readAllStandardOutput();
}
