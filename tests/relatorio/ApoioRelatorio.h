#pragma once

#include "Relatorio.h"
#include "TabelaDados.h"

#include <QDateTime>
#include <QImage>
#include <QStringList>

// Coupon rows as the export run leaves them: decimals as exact text, dates as date-times.
struct Cupom {
    QString chapa;
    QString nome;
    QVariant codigo;  // null for a branch without a code
    int documento;
    QDateTime datahora;
    QString total;
};
TabelaDados TabelaCupons(const QList<Cupom>& cupons);
// n made-up coupons, one a minute from 1 May 2024 08:00, each of 1.25.
TabelaDados CuponsNumerados(int n);

// The texts of the page's bands of one kind, band by band, in template order.
QList<QStringList> TextosDasFaixas(const PaginaPreparada& pagina, TipoBanda tipo);
QList<TipoBanda> TiposDasFaixas(const PaginaPreparada& pagina);

// The page drawn on white at `pixelsPorUnidade`.
QImage Renderizar(const RelatorioPreparado& relatorio, int pagina, double pixelsPorUnidade);

// Runs a command-line reader and returns what it printed; fails the test when it fails.
QByteArray Executar(const QString& programa, const QStringList& argumentos);
