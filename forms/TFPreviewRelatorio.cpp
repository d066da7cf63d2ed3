#include "TFPreviewRelatorio.h"

#include "Dialogos.h"
#include "Erro.h"
#include "Pintor.h"

#include <QAction>
#include <algorithm>
#include <iterator>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kMargemTela = 12;  // pixels of grey around the page
constexpr double kPassoZoom = 1.25;
constexpr double kZoomMinimo = 0.25;
constexpr double kZoomMaximo = 4.0;

struct TipoArquivo {
    FormatoExportacao formato;
    const char* nome;
    const char* filtro;
};

const TipoArquivo kTipos[] = {
    {FormatoExportacao::Pdf, "PDF", "Arquivo PDF (*.pdf)"},
    {FormatoExportacao::Excel, "Excel", "Planilha do Excel (*.xlsx)"},
    {FormatoExportacao::Word, "Word", "Documento do Word (*.docx)"},
    {FormatoExportacao::Texto, "Texto", "Arquivo de texto (*.txt)"},
};

// Restores the normal cursor however the export ends.
struct CursorEspera {
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

// The page being shown, on a grey margin, with the search hits marked under the text.
class FolhaPagina : public QWidget {
public:
    using QWidget::QWidget;

    void mostrar(const PaginaPreparada* pagina, QSizeF tamanho, double zoom, QList<QRectF> realces, int atual) {
        m_pagina = pagina;
        m_tamanho = tamanho;
        m_zoom = zoom;
        m_realces = std::move(realces);
        m_atual = atual;
        setFixedSize(paraTela(QRectF(QPointF(), tamanho)).size() + QSize(2 * kMargemTela, 2 * kMargemTela));
        update();
    }

    QRect paraTela(const QRectF& caixa) const {
        return QRectF(caixa.topLeft() * m_zoom, caixa.size() * m_zoom).toAlignedRect().translated(kMargemTela, kMargemTela);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter pintor(this);
        pintor.fillRect(rect(), palette().color(QPalette::Mid));
        if (!m_pagina)
            return;
        pintor.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        pintor.translate(kMargemTela, kMargemTela);
        pintor.scale(m_zoom, m_zoom);
        pintor.fillRect(QRectF(QPointF(), m_tamanho), Qt::white);
        for (int i = 0; i < m_realces.size(); ++i)
            pintor.fillRect(m_realces[i], i == m_atual ? QColor(255, 150, 50) : QColor(255, 240, 100));
        DesenharPagina(pintor, *m_pagina);
    }

private:
    const PaginaPreparada* m_pagina = nullptr;
    QSizeF m_tamanho;
    double m_zoom = 1.0;
    QList<QRectF> m_realces;
    int m_atual = -1;
};

TFPreviewRelatorio* TFPreviewRelatorio::Mostrar(Relatorio& relatorio) {
    std::shared_ptr<const RelatorioPreparado> preparado = relatorio.preparado();
    if (!preparado)
        throw Erro(QStringLiteral("O relatório \"%1\" não foi preparado.").arg(relatorio.modelo().titulo));
    auto* janela = qobject_cast<TFPreviewRelatorio*>(relatorio.janela());
    if (!janela) {
        janela = new TFPreviewRelatorio();
        relatorio.definirJanela(janela);
    }
    janela->definirPaginas(std::move(preparado), relatorio.modelo().previa);
    janela->showMaximized();
    janela->raise();
    janela->activateWindow();
    return janela;
}

TFPreviewRelatorio::TFPreviewRelatorio() {
    setAttribute(Qt::WA_DeleteOnClose);
    m_rolagem = new QScrollArea(this);
    m_rolagem->setAlignment(Qt::AlignCenter);
    m_rolagem->setBackgroundRole(QPalette::Mid);
    m_folha = new FolhaPagina;
    m_rolagem->setWidget(m_folha);
    m_rolagem->setFocusPolicy(Qt::StrongFocus);

    auto* centro = new QWidget(this);
    auto* layout = new QVBoxLayout(centro);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    montarBarra();
    montarLocalizar();
    layout->addWidget(pnlLocalizar);
    layout->addWidget(m_rolagem, 1);
    setCentralWidget(centro);
    montarAtalhos();
    m_rolagem->setFocus();
}

void TFPreviewRelatorio::montarBarra() {
    m_barra = addToolBar(QStringLiteral("Visualização"));
    m_barra->setMovable(false);
    m_barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle* estilo = style();

    auto* menuExportar = new QMenu(this);
    for (const TipoArquivo& tipo : kTipos) {
        QAction* acao = menuExportar->addAction(QString::fromLatin1(tipo.nome) + QStringLiteral("..."));
        acao->setObjectName(QStringLiteral("actExportar") + QString::fromLatin1(tipo.nome));
        connect(acao, &QAction::triggered, this, [this, formato = tipo.formato] { Exportar(formato); });
    }
    auto* botaoExportar = new QToolButton(this);
    botaoExportar->setText(QStringLiteral("Exportar"));
    botaoExportar->setIcon(estilo->standardIcon(QStyle::SP_DialogSaveButton));
    botaoExportar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    botaoExportar->setPopupMode(QToolButton::InstantPopup);
    botaoExportar->setMenu(menuExportar);
    m_acoesExportar = {m_barra->addWidget(botaoExportar), m_barra->addSeparator()};

    auto acao = [this](const QString& texto, const QKeySequence& tecla, auto alvo) {
        QAction* a = m_barra->addAction(texto);
        a->setShortcut(tecla);
        if (!tecla.isEmpty())
            a->setToolTip(QStringLiteral("%1 (%2)").arg(texto, tecla.toString(QKeySequence::NativeText)));
        connect(a, &QAction::triggered, this, alvo);
        return a;
    };
    m_acoesZoom = {
        acao(QStringLiteral("Aumentar"), QKeySequence::ZoomIn,
             [this] { definirZoom(ModoZoom::Fixo, std::min(m_zoom * kPassoZoom, kZoomMaximo)); }),
        acao(QStringLiteral("Diminuir"), QKeySequence::ZoomOut,
             [this] { definirZoom(ModoZoom::Fixo, std::max(m_zoom / kPassoZoom, kZoomMinimo)); }),
        acao(QStringLiteral("Página inteira"), QKeySequence(), [this] { definirZoom(ModoZoom::PaginaInteira, m_zoom); }),
        acao(QStringLiteral("Largura da página"), QKeySequence(), [this] { definirZoom(ModoZoom::LarguraPagina, m_zoom); }),
        acao(QStringLiteral("Tela cheia"), QKeySequence(Qt::Key_F11), [this] { alternarTelaCheia(); }),
        m_barra->addSeparator(),
    };
    m_localizar = acao(QStringLiteral("Localizar"), QKeySequence::Find, [this] {
        pnlLocalizar->show();
        EditLocalizar->setFocus();
        EditLocalizar->selectAll();
    });
    m_localizar->setIcon(estilo->standardIcon(QStyle::SP_FileDialogContentsView));

    QAction* primeira = acao(QStringLiteral("Primeira"), QKeySequence(), [this] { irParaPagina(0); });
    QAction* anterior = acao(QStringLiteral("Anterior"), QKeySequence(), [this] { irParaPagina(m_pagina - 1); });
    lblPagina = new QLabel(this);
    lblPagina->setObjectName(QStringLiteral("lblPagina"));
    lblPagina->setContentsMargins(8, 0, 8, 0);
    QAction* rotulo = m_barra->addWidget(lblPagina);
    QAction* proxima = acao(QStringLiteral("Próxima"), QKeySequence(), [this] { irParaPagina(m_pagina + 1); });
    QAction* ultima = acao(QStringLiteral("Última"), QKeySequence(), [this] { irParaPagina(totalPaginas() - 1); });
    primeira->setIcon(estilo->standardIcon(QStyle::SP_MediaSkipBackward));
    anterior->setIcon(estilo->standardIcon(QStyle::SP_MediaSeekBackward));
    proxima->setIcon(estilo->standardIcon(QStyle::SP_MediaSeekForward));
    ultima->setIcon(estilo->standardIcon(QStyle::SP_MediaSkipForward));
    // The arrows say enough; their names stay as tooltips, and the bar fits a narrow screen.
    for (QAction* a : {primeira, anterior, proxima, ultima})
        qobject_cast<QToolButton*>(m_barra->widgetForAction(a))->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_acoesNavegar = {m_barra->addSeparator(), primeira, anterior, rotulo, proxima, ultima};

    m_barra->addSeparator();
    QAction* fechar = acao(QStringLiteral("Fechar"), QKeySequence(), [this] { close(); });
    fechar->setIcon(estilo->standardIcon(QStyle::SP_DialogCloseButton));
}

void TFPreviewRelatorio::montarLocalizar() {
    pnlLocalizar = new QWidget(this);
    auto* layout = new QHBoxLayout(pnlLocalizar);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(new QLabel(QStringLiteral("Localizar:"), pnlLocalizar));
    EditLocalizar = new QLineEdit(pnlLocalizar);
    EditLocalizar->setObjectName(QStringLiteral("EditLocalizar"));
    EditLocalizar->setClearButtonEnabled(true);
    layout->addWidget(EditLocalizar, 1);
    auto botao = [&](const QString& texto, auto alvo) {
        auto* b = new QToolButton(pnlLocalizar);
        b->setText(texto);
        connect(b, &QToolButton::clicked, this, alvo);
        layout->addWidget(b);
    };
    botao(QStringLiteral("Anterior"), [this] { proximoAchado(-1); });
    botao(QStringLiteral("Próxima"), [this] { proximoAchado(1); });
    lblAchados = new QLabel(pnlLocalizar);
    lblAchados->setObjectName(QStringLiteral("lblAchados"));
    lblAchados->setMinimumWidth(140);
    layout->addWidget(lblAchados);
    botao(QStringLiteral("Fechar"), [this] {
        pnlLocalizar->hide();
        m_rolagem->setFocus();
    });
    connect(EditLocalizar, &QLineEdit::textChanged, this, &TFPreviewRelatorio::Localizar);
    connect(EditLocalizar, &QLineEdit::returnPressed, this, [this] { proximoAchado(1); });
    pnlLocalizar->hide();
}

void TFPreviewRelatorio::montarAtalhos() {
    // Page keys act on the page area only, so they still edit text in the search field.
    auto naPagina = [this](QKeySequence tecla, auto alvo) {
        auto* atalho = new QShortcut(tecla, m_rolagem, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(atalho, &QShortcut::activated, this, alvo);
    };
    naPagina(QKeySequence(Qt::Key_PageDown), [this] { irParaPagina(m_pagina + 1); });
    naPagina(QKeySequence(Qt::Key_PageUp), [this] { irParaPagina(m_pagina - 1); });
    naPagina(QKeySequence(Qt::Key_Home), [this] { irParaPagina(0); });
    naPagina(QKeySequence(Qt::Key_End), [this] { irParaPagina(totalPaginas() - 1); });

    auto naJanela = [this](QKeySequence tecla, auto alvo) {
        connect(new QShortcut(tecla, this), &QShortcut::activated, this, alvo);
    };
    naJanela(QKeySequence(Qt::Key_F3), [this] { proximoAchado(1); });
    naJanela(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { proximoAchado(-1); });
    naJanela(QKeySequence(Qt::Key_Escape), [this] { fecharOuVoltar(); });
}

void TFPreviewRelatorio::definirPaginas(std::shared_ptr<const RelatorioPreparado> relatorio,
                                        const OpcoesPrevia& opcoes) {
    m_relatorio = std::move(relatorio);
    setWindowTitle(m_relatorio->titulo);
    setWindowModality(opcoes.modal ? Qt::ApplicationModal : Qt::NonModal);
    for (QAction* a : m_acoesExportar)
        a->setVisible(opcoes.botoes.testFlag(BotaoPrevia::Exportar));
    for (QAction* a : m_acoesZoom)
        a->setVisible(opcoes.botoes.testFlag(BotaoPrevia::Zoom));
    m_localizar->setVisible(opcoes.botoes.testFlag(BotaoPrevia::Localizar));
    m_localizar->setEnabled(opcoes.botoes.testFlag(BotaoPrevia::Localizar));
    for (QAction* a : m_acoesNavegar)
        a->setVisible(opcoes.botoes.testFlag(BotaoPrevia::Navegar));

    m_pagina = 0;
    m_modoZoom = ModoZoom::Fixo;
    m_zoom = 1.0;
    Localizar(EditLocalizar->text());
    atualizar();
}

int TFPreviewRelatorio::totalPaginas() const { return m_relatorio ? int(m_relatorio->paginas.size()) : 0; }

void TFPreviewRelatorio::irParaPagina(int pagina) {
    const int limitada = std::clamp(pagina, 0, std::max(totalPaginas() - 1, 0));
    if (limitada == m_pagina)
        return;
    m_pagina = limitada;
    atualizar();
    m_rolagem->verticalScrollBar()->setValue(0);
}

void TFPreviewRelatorio::definirZoom(ModoZoom modo, double zoom) {
    m_modoZoom = modo;
    m_zoom = zoom;
    ajustarZoom();
    atualizar();
}

void TFPreviewRelatorio::ajustarZoom() {
    if (!m_relatorio || m_modoZoom == ModoZoom::Fixo)
        return;
    const QSizeF pagina = m_relatorio->tamanhoPagina();
    const QSize area = m_rolagem->viewport()->size() - QSize(2 * kMargemTela, 2 * kMargemTela);
    const double largura = (area.width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent)) / pagina.width();
    m_zoom = m_modoZoom == ModoZoom::LarguraPagina ? largura
                                                   : std::min(area.width() / pagina.width(), area.height() / pagina.height());
    m_zoom = std::clamp(m_zoom, kZoomMinimo, kZoomMaximo);
}

void TFPreviewRelatorio::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    if (m_modoZoom != ModoZoom::Fixo) {
        ajustarZoom();
        atualizar();
    }
}

void TFPreviewRelatorio::atualizar() {
    const int total = totalPaginas();
    lblPagina->setText(QStringLiteral("Página %1 de %2").arg(total ? m_pagina + 1 : 0).arg(total));
    if (!total)
        return;
    QList<QRectF> realces;
    int atual = -1;
    for (int i = 0; i < m_achados.size(); ++i) {
        if (m_achados[i].pagina != m_pagina)
            continue;
        if (i == m_achado)
            atual = int(realces.size());
        realces.append(m_achados[i].caixa);
    }
    m_folha->mostrar(&m_relatorio->paginas[m_pagina], m_relatorio->tamanhoPagina(), m_zoom, realces, atual);
    if (m_achado >= 0) {
        const QRect alvo = m_folha->paraTela(m_achados[m_achado].caixa);
        m_rolagem->ensureVisible(alvo.center().x(), alvo.center().y(), alvo.width() / 2 + 20, alvo.height() / 2 + 20);
    }
    if (m_achados.isEmpty())
        lblAchados->setText(EditLocalizar->text().isEmpty() ? QString() : QStringLiteral("Nada encontrado"));
    else
        lblAchados->setText(QStringLiteral("%1 de %2").arg(m_achado + 1).arg(m_achados.size()));
}

void TFPreviewRelatorio::Localizar(const QString& texto) {
    m_achados.clear();
    m_achado = -1;
    const QString procurado = texto.trimmed();
    if (m_relatorio && !procurado.isEmpty()) {
        for (int p = 0; p < m_relatorio->paginas.size(); ++p) {
            for (const FaixaPagina& faixa : m_relatorio->paginas[p].faixas) {
                for (const ItemPagina& item : faixa.itens) {
                    if (item.texto.contains(procurado, Qt::CaseInsensitive))
                        m_achados.append({p, item.caixa});
                }
            }
        }
    }
    // Start from the page in view, so a search does not jump back to the first page.
    for (int i = 0; i < m_achados.size() && m_achado < 0; ++i) {
        if (m_achados[i].pagina >= m_pagina)
            m_achado = i;
    }
    if (m_achado < 0 && !m_achados.isEmpty())
        m_achado = 0;
    if (m_achado >= 0)
        m_pagina = m_achados[m_achado].pagina;
    atualizar();
}

void TFPreviewRelatorio::proximoAchado(int passo) {
    if (m_achados.isEmpty())
        return;
    const int n = int(m_achados.size());
    m_achado = ((m_achado + passo) % n + n) % n;
    m_pagina = m_achados[m_achado].pagina;
    atualizar();
}

void TFPreviewRelatorio::alternarTelaCheia() {
    if (isFullScreen())
        showMaximized();
    else
        showFullScreen();
}

// Esc backs out one step at a time: the search first, then full screen, then the window.
void TFPreviewRelatorio::fecharOuVoltar() {
    if (pnlLocalizar->isVisible()) {
        pnlLocalizar->hide();
        m_rolagem->setFocus();
    } else if (isFullScreen()) {
        showMaximized();
    } else {
        close();
    }
}

void TFPreviewRelatorio::Exportar(FormatoExportacao formato) {
    Protegido(this, [&] {
        const auto tipo = std::find_if(std::begin(kTipos), std::end(kTipos),
                                       [formato](const TipoArquivo& t) { return t.formato == formato; });
        const QString extensao = ExtensaoArquivo(formato);
        QString caminho = Dialogos::EscolherArquivoParaSalvar(this, QStringLiteral("Exportar para %1").arg(tipo->nome),
                                                              m_relatorio->nomeArquivo + u'.' + extensao,
                                                              QString::fromUtf8(tipo->filtro));
        if (caminho.isEmpty())
            return;
        if (QFileInfo(caminho).suffix().isEmpty())
            caminho += u'.' + extensao;
        CursorEspera espera;
        ExportarRelatorio(*m_relatorio, formato, caminho);
    });
}
