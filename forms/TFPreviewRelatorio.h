#pragma once

#include "Exportacao.h"
#include "ModeloRelatorio.h"
#include "Relatorio.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolBar;
class FolhaPagina;

// The preview of a prepared report: one page at a time, zoom, full screen, text search, page
// navigation and export. It shows pages only: no printing, no page setup, no editing.
class TFPreviewRelatorio : public QMainWindow {
    Q_OBJECT

public:
    // Shows the report's prepared pages, maximised, in the report's own preview window: the
    // window already open is reused with the new pages. Not modal unless the report's preview
    // options say so; the window is released when closed. Raises Erro if nothing was prepared.
    static TFPreviewRelatorio* Mostrar(Relatorio& relatorio);

    int paginaAtual() const { return m_pagina; }  // from 0
    int totalPaginas() const;
    void irParaPagina(int pagina);
    double zoom() const { return m_zoom; }

    // Marks every text holding the searched words (case ignored) and goes to the first.
    void Localizar(const QString& texto);
    int quantidadeAchados() const { return int(m_achados.size()); }
    void proximoAchado(int passo);

    // Asks where to save and writes the file; a failure is shown, nothing is left half-written.
    void Exportar(FormatoExportacao formato);

private:
    enum class ModoZoom { Fixo, PaginaInteira, LarguraPagina };
    struct Achado {
        int pagina;
        QRectF caixa;
    };

    TFPreviewRelatorio();
    void definirPaginas(std::shared_ptr<const RelatorioPreparado> relatorio, const OpcoesPrevia& opcoes);
    void montarBarra();
    void montarLocalizar();
    void montarAtalhos();
    void definirZoom(ModoZoom modo, double zoom);
    void ajustarZoom();
    void atualizar();
    void alternarTelaCheia();
    void fecharOuVoltar();
    void resizeEvent(QResizeEvent* evento) override;

    std::shared_ptr<const RelatorioPreparado> m_relatorio;
    int m_pagina = 0;
    double m_zoom = 1.0;
    ModoZoom m_modoZoom = ModoZoom::Fixo;
    QList<Achado> m_achados;
    int m_achado = -1;

    QToolBar* m_barra = nullptr;
    QScrollArea* m_rolagem = nullptr;
    FolhaPagina* m_folha = nullptr;
    QLabel* lblPagina = nullptr;
    QWidget* pnlLocalizar = nullptr;
    QLineEdit* EditLocalizar = nullptr;
    QLabel* lblAchados = nullptr;
    QList<QAction*> m_acoesExportar;
    QList<QAction*> m_acoesZoom;
    QList<QAction*> m_acoesNavegar;
    QAction* m_localizar = nullptr;
};
