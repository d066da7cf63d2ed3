#pragma once

#include <QFlags>
#include <QList>
#include <QMap>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Report geometry is in units of 1/96 inch, the screen pixels the layouts were drawn in.
inline constexpr double kUnidadesPorPolegada = 96.0;
inline constexpr double kUnidadesPorMm = kUnidadesPorPolegada / 25.4;

// Arial (or the system's metric twin) at a height in pixels of a 96-per-inch screen.
struct FonteRelatorio {
    int alturaPixels = 11;
    bool negrito = false;
};

struct ObjetoRelatorio {
    enum class Tipo { Texto, Regra };

    Tipo tipo = Tipo::Texto;
    // Within the band. A rule is a thin horizontal line from the left edge over the width.
    QRectF caixa;
    // Literal text with expressions in brackets: "Página [Page] de [TotalPages#] ".
    QString conteudo;
    FonteRelatorio fonte;
    Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignTop;
    // Numeric display format such as "%2.2f"; empty shows each value's default text.
    QString formato;

    static ObjetoRelatorio texto(QRectF caixa, QString conteudo, FonteRelatorio fonte, Qt::Alignment alinhamento,
                                 QString formato = {}) {
        return {Tipo::Texto, caixa, std::move(conteudo), fonte, alinhamento, std::move(formato)};
    }
    static ObjetoRelatorio regra(double esquerda, double topo, double largura) {
        ObjetoRelatorio o;
        o.tipo = Tipo::Regra;
        o.caixa = QRectF(esquerda, topo, largura, 0);
        return o;
    }
};

struct Banda {
    double altura = 0;
    QList<ObjetoRelatorio> objetos;

    bool vazia() const { return altura <= 0 && objetos.isEmpty(); }
};

// The command groups of the preview window.
enum class BotaoPrevia { Exportar = 0x1, Zoom = 0x2, Localizar = 0x4, Navegar = 0x8 };
Q_DECLARE_FLAGS(BotoesPrevia, BotaoPrevia)
Q_DECLARE_OPERATORS_FOR_FLAGS(BotoesPrevia)

struct OpcoesPrevia {
    // A modal preview blocks the other windows of the program while it is open.
    bool modal = true;
    BotoesPrevia botoes = BotaoPrevia::Exportar | BotaoPrevia::Zoom | BotaoPrevia::Localizar | BotaoPrevia::Navegar;
};

// A band report: the page header and the column header on every page, one data band per row of
// the dataset, and the footer once after the last row (only when there are rows).
struct ModeloRelatorio {
    QString titulo;
    // The name field expressions use for the dataset: [dataSetRel."coluna"].
    QString nomeDados;
    QSizeF papelMm{210, 297};
    double margemMm = 10;
    Banda cabecalhoPagina;
    Banda cabecalhoColunas;
    Banda dados;
    Banda rodape;
    // Variable name -> expression (a string literal such as 'Período: ...' shows its text).
    QMap<QString, QString> variaveis;
    OpcoesPrevia previa;
};
