#pragma once

#include "Exportacao.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for. Options left out stay empty here; their defaults come from
// the export settings file and the clock once the settings folder is known (ComPadroes).
struct Pedido {
    enum class Vendas { Com, Sem, Ambos };

    bool ajuda = false;
    std::optional<int> empresa;
    Vendas vendas = Vendas::Com;
    std::optional<bool> porLancamento;
    std::optional<QDate> de;
    std::optional<QDate> ate;
    QString pasta;
    std::optional<FormatoExportacao> relatorio;  // a report next to each file written
};

// The arguments after the program name. Throws ErroDeUso with the reason when they do not
// follow the usage text.
Pedido LerPedido(const QStringList& argumentos);

// The pedido with every empty choice filled as the main window fills it when it opens: company
// and date kind from the export settings file, the previous calendar month before `hoje`.
Pedido ComPadroes(Pedido pedido, QDate hoje);

struct ErroDeUso {
    QString motivo;
};

extern const char* const TextoDeUso;
