#include "UFMain.h"

#include "Aparencia.h"
#include "ConfiguracaoExportacao.h"
#include "Dialogos.h"
#include "Relatorio.h"
#include "RelatoriosCupons.h"
#include "TFPreviewRelatorio.h"
#include "UConfiguracoesQuelvar.h"
#include "UDados.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSqlRecord>

static void IniciarRecursos() { Q_INIT_RESOURCE(forms); }

void TFMain::ProgressoBarra::DefinirMaximo(int maximo) { m_barra->setMaximum(maximo); }
void TFMain::ProgressoBarra::DefinirPosicao(int posicao) { m_barra->setValue(posicao); }
void TFMain::ProgressoBarra::Avancar() { m_barra->setValue(m_barra->value() + 1); }

TFMain::TFMain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    IniciarRecursos();
    setObjectName("FMain");
    setWindowTitle(QString::fromUtf8("Exportação Quelvar"));
    setFixedSize(336, 277);
    setFont(FontePadrao());
    CriarControles();
    relPromed = std::make_unique<Relatorio>(ModeloRelPromed());
    relProfarma = std::make_unique<Relatorio>(ModeloRelProfarma());
    m_progresso = ProgressoBarra(oProgress);
    qApp->installEventFilter(this);

    if (const QScreen* tela = screen())
        move(tela->availableGeometry().center() - rect().center());
}

TFMain::~TFMain() { qApp->removeEventFilter(this); }

namespace {

// A named control in `pai` at its box (left, top, width, height) inside the parent's client area.
template <typename T, typename... Args>
T* Novo(QWidget* pai, const char* nome, QRect caixa, Args&&... args) {
    T* controle = new T(std::forward<Args>(args)..., pai);
    controle->setObjectName(nome);
    const auto* moldura = qobject_cast<QFrame*>(pai);
    const int borda = moldura ? moldura->frameWidth() : 0;
    controle->setGeometry(caixa.translated(borda, borda));
    return controle;
}

}  // namespace

void TFMain::CriarControles() {
    pnlFundo = Novo<QFrame>(this, "pnlFundo", {0, 0, 336, 277});
    pnlFundo->setFrameShape(QFrame::Box);
    pnlFundo->setLineWidth(1);

    pnlCaption = Novo<QFrame>(pnlFundo, "pnlCaption", {0, 0, 334, 34});
    pnlCaption->setAutoFillBackground(true);
    Colorir(pnlCaption, QPalette::Window, QColor(201, 201, 201));
    lblCaption = Novo<QLabel>(pnlCaption, "lblCaption", {7, 8, 260, 20},
                              QString::fromUtf8("Exportação financeira Quelvar"));
    lblCaption->setFont(FonteArial(12, true));
    imgLogo = Novo<QLabel>(pnlCaption, "imgLogo", {281, 2, 47, 28});
    imgLogo->setPixmap(QPixmap(":/logo.png"));

    grpEmpresa = Novo<QGroupBox>(pnlFundo, "grpEmpresa", {5, 40, 324, 50}, " Empresa ");
    EditEmpresa = Novo<QLineEdit>(grpEmpresa, "EditEmpresa", {5, 20, 60, 21});
    EditEmpresa->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EditEmpresa->setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), EditEmpresa));
    cmbEmpresa = Novo<QComboBox>(grpEmpresa, "cmbEmpresa", {70, 20, 248, 21});

    // A radio group: three items in three columns.
    rdgFiltro = Novo<QGroupBox>(pnlFundo, "rdgFiltro", {5, 94, 324, 36}, " Vendas ");
    rdComReceita = Novo<QRadioButton>(rdgFiltro, "rdComReceita", {8, 14, 100, 17}, "Com Receita");
    rdSemReceita = Novo<QRadioButton>(rdgFiltro, "rdSemReceita", {113, 14, 100, 17}, "Sem Receita");
    rdAmbos = Novo<QRadioButton>(rdgFiltro, "rdAmbos", {218, 14, 100, 17}, "Ambos");
    rdComReceita->setChecked(true);

    grpPeriodo = Novo<QGroupBox>(pnlFundo, "grpPeriodo", {5, 136, 324, 68}, QString::fromUtf8("  Período  "));
    rdDataLancamento = Novo<QRadioButton>(grpPeriodo, "rdDataLancamento", {8, 16, 113, 17},
                                          QString::fromUtf8("Data Lançamento"));
    rdDataLancamento->setChecked(true);
    rdDataVencimento = Novo<QRadioButton>(grpPeriodo, "rdDataVencimento", {163, 16, 113, 17}, "Data Vencimento");
    lblInicial = Novo<QLabel>(grpPeriodo, "lblInicial", {11, 45, 31, 13}, "Inicial:");
    EditDe = Novo<QDateEdit>(grpPeriodo, "EditDe", {43, 41, 90, 21});
    lblFinal = Novo<QLabel>(grpPeriodo, "lblFinal", {141, 45, 26, 13}, "Final:");
    EditAte = Novo<QDateEdit>(grpPeriodo, "EditAte", {168, 41, 90, 21});
    for (QDateEdit* data : {EditDe, EditAte}) {
        data->setCalendarPopup(true);
        data->setDisplayFormat("dd/MM/yyyy");
    }

    btnConfiguracoes = Novo<QPushButton>(pnlFundo, "btnConfiguracoes", {5, 209, 105, 25},
                                         QString::fromUtf8("Configurações (F9)"));
    btnGerar = Novo<QPushButton>(pnlFundo, "btnGerar", {134, 209, 95, 25}, "Gerar (F3)");
    btnFechar = Novo<QPushButton>(pnlFundo, "btnFechar", {234, 209, 95, 25}, "Fechar (Esc)");

    Bevel1 = Novo<QFrame>(pnlFundo, "Bevel1", {7, 238, 320, 2});
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    lblFilial = Novo<QLabel>(pnlFundo, "lblFilial", {8, 246, 320, 13});
    lblDataBase = Novo<QLabel>(pnlFundo, "lblDataBase", {7, 260, 320, 13});
    for (QLabel* l : {lblFilial, lblDataBase}) l->setFont(FonteTahoma(7));

    // Hidden but during a generation, when it covers the two lines above.
    pnlProgress = Novo<QFrame>(pnlFundo, "pnlProgress", {5, 245, 328, 25});
    pnlProgress->setAutoFillBackground(true);
    oProgress = Novo<QProgressBar>(pnlProgress, "oProgress", {3, 3, 322, 19});
    oProgress->setFormat("%p%");
    oProgress->setAlignment(Qt::AlignCenter);
    pnlProgress->hide();

    EstiloWindowsNosGrupos(this);

    setTabOrder(EditEmpresa, cmbEmpresa);
    setTabOrder(cmbEmpresa, rdComReceita);
    setTabOrder(rdComReceita, rdDataLancamento);
    setTabOrder(rdDataLancamento, EditDe);
    setTabOrder(EditDe, EditAte);
    setTabOrder(EditAte, btnConfiguracoes);
    setTabOrder(btnConfiguracoes, btnGerar);
    setTabOrder(btnGerar, btnFechar);

    connect(btnGerar, &QPushButton::clicked, this, [this] { Protegido(this, [this] { btnGerarClick(); }); });
    connect(btnFechar, &QPushButton::clicked, this, [this] { btnFecharClick(); });
    connect(btnConfiguracoes, &QPushButton::clicked, this,
            [this] { Protegido(this, [this] { btnConfiguracoesClick(); }); });
    connect(EditEmpresa, &QLineEdit::textChanged, this, [this] { EditEmpresaChange(); });
    connect(cmbEmpresa, &QComboBox::activated, this, [this](int i) { cmbEmpresaClick(i); });
}

void TFMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_mostrado) return;
    m_mostrado = true;
    Protegido(this, [this] { FormShow(); });
}

void TFMain::FormShow() {
    const QSqlDatabase conexao = TDadosExportacao::GetConexao();
    lblDataBase->setText(QString::fromUtf8("Conectado à ") + conexao.databaseName() + " em (" +
                         conexao.hostName() + ")");
    lblFilial->setText("Filial: " + TDadosExportacao::DescricaoFilial(TDadosExportacao::LerFilialMatriz()));

    const std::unique_ptr<QSqlQuery> lista = TDadosExportacao::ConsultarEmpresas();
    m_empresas.clear();
    cmbEmpresa->clear();
    while (lista->next()) {
        m_empresas.append({lista->value("empresa_id").toInt(), lista->value("nome").toString()});
        cmbEmpresa->addItem(m_empresas.last().nome);
    }
    m_linhaAtual = m_empresas.isEmpty() ? -1 : 0;

    const auto [inicio, fim] = PeriodoMesAnterior(QDate::currentDate());
    EditDe->setDate(inicio);
    EditAte->setDate(fim);

    CarregarConfiguracoes();
    TDadosExportacao::SetProgresso(&m_progresso);
    QryDados = TDadosExportacao::NovaConsulta();
    m_preparado = true;
}

void TFMain::CarregarConfiguracoes() {
    m_diretorio = ConfiguracaoExportacao::LerDiretorio();
    (ConfiguracaoExportacao::LerTipoData() == 1 ? rdDataVencimento : rdDataLancamento)->setChecked(true);
    const QString empresa = QString::number(ConfiguracaoExportacao::LerEmpresa());
    if (EditEmpresa->text() == empresa)
        EditEmpresaChange();
    else
        EditEmpresa->setText(empresa);
}

void TFMain::SalvarConfiguracoes() {
    ConfiguracaoExportacao::GravarEmpresa(ValorEmpresa());
    ConfiguracaoExportacao::GravarTipoData(rdDataVencimento->isChecked() ? 1 : 0);
}

int TFMain::ValorEmpresa() const { return EditEmpresa->text().toInt(); }

int TFMain::EmpresaDaLinhaAtual() const { return m_linhaAtual < 0 ? 0 : m_empresas[m_linhaAtual].id; }

void TFMain::EditEmpresaChange() {
    const int valor = ValorEmpresa();
    for (int i = 0; i < m_empresas.size(); ++i) {
        if (m_empresas[i].id == valor) {
            m_linhaAtual = i;
            cmbEmpresa->setCurrentIndex(i);
            return;
        }
    }
    cmbEmpresa->setCurrentIndex(-1);
}

void TFMain::cmbEmpresaClick(int indice) {
    if (indice < 0 || indice >= m_empresas.size()) return;
    m_linhaAtual = indice;
    EditEmpresa->setText(QString::number(m_empresas[indice].id));
}

bool TFMain::ValidarCampos() {
    m_diretorio = ConfiguracaoExportacao::LerDiretorio();
    m_cnpjMatriz = ConfiguracaoExportacao::LerCNPJMatriz();

    auto recusar = [this](const QString& texto, QWidget* foco) {
        Mensagem(this, texto);
        foco->setFocus();
        return false;
    };
    if (const QString recusa = RecusaConfiguracao(m_cnpjMatriz, m_diretorio); !recusa.isEmpty())
        return recusar(recusa, btnConfiguracoes);
    if (EmpresaDaLinhaAtual() != ValorEmpresa()) return recusar(MensagemEmpresaNaoSelecionada(), cmbEmpresa);
    return true;
}

void TFMain::btnGerarClick() {
    // A run lets window messages through: a second click then must not start a second run on
    // the same query, gauge and temporary table.
    if (m_gerando) return;
    if (!m_preparado) {
        Mensagem(this, QString::fromUtf8(
                           "A janela não foi preparada por completo quando foi aberta (veja o erro mostrado "
                           "então). Feche o programa e abra-o novamente para gerar os arquivos."));
        return;
    }
    if (!ValidarCampos()) return;
    GerarArquivos();
    SalvarConfiguracoes();
}

void TFMain::GerarArquivos() {
    bool mostrarPromed = false;
    bool mostrarProfarma = false;
    m_gerando = true;
    oProgress->setValue(0);
    pnlProgress->show();
    const auto terminar = qScopeGuard([this] {
        pnlProgress->hide();
        m_gerando = false;
        if (m_fecharAoTerminar) QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });

    m_escolhas = {rdDataLancamento->isChecked(), rdComReceita->isChecked(), rdAmbos->isChecked(), EditDe->date(),
                  EditAte->date(), ValorEmpresa()};
    const Escolhas& e = m_escolhas;
    auto gerar = [&](bool comReceita) {
        return TDadosExportacao::GerarArquivo(QryDados, m_diretorio, e.porLancamento, e.de, e.ate, comReceita,
                                              e.empresa);
    };

    const QString primeiro = gerar(e.comReceita);
    if (QryDados.size() > 0) {
        if (e.comReceita) {
            PrepararRelatorio(*relPromed);
            mostrarPromed = true;
        } else {
            PrepararRelatorio(*relProfarma);
            mostrarProfarma = true;
        }
    }
    QString mensagem = primeiro;
    if (e.ambos) {
        mensagem = gerar(true) + "\r\n" + primeiro;
        PrepararRelatorio(*relPromed);
        mostrarPromed = true;
    }

    Dialogos::Mostrar(this, mensagem, "Sucesso", Dialogos::Icone::Informacao);
    if (mostrarPromed) TFPreviewRelatorio::Mostrar(*relPromed);
    if (mostrarProfarma) TFPreviewRelatorio::Mostrar(*relProfarma);
}

void TFMain::PrepararRelatorio(Relatorio& relatorio) {
    ::PrepararRelatorio(relatorio, m_escolhas.de, m_escolhas.ate, QryDados);
}

void TFMain::btnFecharClick() { close(); }

void TFMain::btnConfiguracoesClick() {
    if (m_gerando) return;
    TFConfiguracoesQuelvar janela(this);
    janela.exec();
}

void TFMain::closeEvent(QCloseEvent* event) {
    if (m_gerando) {
        m_fecharAoTerminar = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    // The main window's close ends the program, open report previews included.
    QCoreApplication::quit();
}

void TFMain::FormKeyDown(int tecla) {
    switch (tecla) {
        case Qt::Key_F3: btnGerar->click(); break;
        case Qt::Key_Escape: btnFechar->click(); break;
        case Qt::Key_F9: btnConfiguracoes->click(); break;
        default: break;
    }
}

// The window sees F3, F9 and Esc before the focused control does, whatever the modifiers; the
// key then goes on to the control. Qt hands an unaccepted key press on to the parents, and this
// filter would see each step: only the delivery to the focused control (the first) counts.
bool TFMain::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && objeto->isWidgetType()) {
        auto* alvo = static_cast<QWidget*>(objeto);
        QWidget* foco = QApplication::focusWidget();
        if (alvo->window() == this && alvo == (foco ? foco : this))
            FormKeyDown(static_cast<QKeyEvent*>(evento)->key());
    }
    return QWidget::eventFilter(objeto, evento);
}
