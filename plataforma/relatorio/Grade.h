#pragma once

#include "Relatorio.h"

#include <QList>

// The prepared pages laid out on the columns of the data band, for the exports that write a
// table (Excel, Word, text) rather than draw the page: each band becomes one or more rows, each
// text a cell over the columns it covers.
struct CelulaGrade {
    int primeira = 0;
    int ultima = 0;
    ItemPagina item;
};

struct LinhaGrade {
    TipoBanda tipo = TipoBanda::Dados;
    double altura = 0;  // report units
    // A rule of the band drawn above or below this row.
    bool regraAcima = false;
    bool regraAbaixo = false;
    QList<CelulaGrade> celulas;  // in column order, not overlapping
};

struct Grade {
    QList<double> larguras;  // report units, from each column's left edge to the next one's
    QList<QList<LinhaGrade>> paginas;
};

Grade MontarGrade(const RelatorioPreparado& relatorio);
