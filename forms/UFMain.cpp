#include "UFMain.h"

#include "Aparencia.h"
#include "ConfiguracaoExportacao.h"
#include "Dialogos.h"
#include "Pastas.h"
#include "Relatorio.h"
#include "RelatoriosCupons.h"
#include "TFPreviewRelatorio.h"
#include "Texto.h"
#include "UConfiguracoesQuelvar.h"
#include "UDados.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
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

QPair<QDate, QDate> PeriodoMesAnterior(QDate hoje) {
    const QDate inicio = QDate(hoje.year(), hoje.month(), 1).addMonths(-1);
    return {inicio, inicio.addDays(inicio.daysInMonth() - 1)};
}

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

void TFMain::CriarControles() {
    auto nomear = [](QWidget* w, const char* nome) { w->setObjectName(nome); };

    pnlFundo = new QFrame(this);
    nomear(pnlFundo, "pnlFundo");
    pnlFundo->setFrameShape(QFrame::Box);
    pnlFundo->setLineWidth(1);
    pnlFundo->setGeometry(0, 0, 336, 277);
    // Children are laid out in the panel's client area, inside its one-pixel border.
    auto colocar = [this](QWidget* w, int x, int y, int largura, int altura) {
        w->setGeometry(x + 1, y + 1, largura, altura);
    };

    pnlCaption = new QFrame(pnlFundo);
    nomear(pnlCaption, "pnlCaption");
    pnlCaption->setAutoFillBackground(true);
    Colorir(pnlCaption, QPalette::Window, QColor(201, 201, 201));
    colocar(pnlCaption, 0, 0, 334, 34);

    lblCaption = new QLabel(QString::fromUtf8("Exportação financeira Quelvar"), pnlCaption);
    nomear(lblCaption, "lblCaption");
    lblCaption->setFont(FonteArial(12, true));
    lblCaption->move(7, 8);
    lblCaption->adjustSize();

    imgLogo = new QLabel(pnlCaption);
    nomear(imgLogo, "imgLogo");
    imgLogo->setPixmap(QPixmap(":/logo.png"));
    imgLogo->setGeometry(281, 2, 47, 28);

    grpEmpresa = new QGroupBox(" Empresa ", pnlFundo);
    nomear(grpEmpresa, "grpEmpresa");
    colocar(grpEmpresa, 5, 40, 324, 50);
    EditEmpresa = new QLineEdit(grpEmpresa);
    nomear(EditEmpresa, "EditEmpresa");
    EditEmpresa->setGeometry(5, 20, 60, 21);
    EditEmpresa->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EditEmpresa->setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), EditEmpresa));
    cmbEmpresa = new QComboBox(grpEmpresa);
    nomear(cmbEmpresa, "cmbEmpresa");
    cmbEmpresa->setGeometry(70, 20, 248, 21);

    rdgFiltro = new QGroupBox(" Vendas ", pnlFundo);
    nomear(rdgFiltro, "rdgFiltro");
    colocar(rdgFiltro, 5, 94, 324, 36);
    const char* itens[] = {"Com Receita", "Sem Receita", "Ambos"};
    QRadioButton** botoes[] = {&rdComReceita, &rdSemReceita, &rdAmbos};
    const char* nomes[] = {"rdComReceita", "rdSemReceita", "rdAmbos"};
    for (int i = 0; i < 3; ++i) {
        *botoes[i] = new QRadioButton(itens[i], rdgFiltro);
        nomear(*botoes[i], nomes[i]);
        (*botoes[i])->setGeometry(8 + i * 105, 14, 100, 17);
    }
    rdComReceita->setChecked(true);

    grpPeriodo = new QGroupBox(QString::fromUtf8("  Período  "), pnlFundo);
    nomear(grpPeriodo, "grpPeriodo");
    colocar(grpPeriodo, 5, 136, 324, 68);
    rdDataLancamento = new QRadioButton(QString::fromUtf8("Data Lançamento"), grpPeriodo);
    nomear(rdDataLancamento, "rdDataLancamento");
    rdDataLancamento->setGeometry(8, 16, 113, 17);
    rdDataLancamento->setChecked(true);
    rdDataVencimento = new QRadioButton("Data Vencimento", grpPeriodo);
    nomear(rdDataVencimento, "rdDataVencimento");
    rdDataVencimento->setGeometry(163, 16, 113, 17);
    lblInicial = new QLabel("Inicial:", grpPeriodo);
    nomear(lblInicial, "lblInicial");
    lblInicial->move(11, 45);
    EditDe = new QDateEdit(grpPeriodo);
    nomear(EditDe, "EditDe");
    EditDe->setGeometry(43, 41, 90, 21);
    lblFinal = new QLabel("Final:", grpPeriodo);
    nomear(lblFinal, "lblFinal");
    lblFinal->move(141, 45);
    EditAte = new QDateEdit(grpPeriodo);
    nomear(EditAte, "EditAte");
    EditAte->setGeometry(168, 41, 90, 21);
    for (QDateEdit* data : {EditDe, EditAte}) {
        data->setCalendarPopup(true);
        data->setDisplayFormat("dd/MM/yyyy");
    }

    btnConfiguracoes = new QPushButton(QString::fromUtf8("Configurações (F9)"), pnlFundo);
    nomear(btnConfiguracoes, "btnConfiguracoes");
    colocar(btnConfiguracoes, 5, 209, 105, 25);
    btnGerar = new QPushButton("Gerar (F3)", pnlFundo);
    nomear(btnGerar, "btnGerar");
    colocar(btnGerar, 134, 209, 95, 25);
    btnFechar = new QPushButton("Fechar (Esc)", pnlFundo);
    nomear(btnFechar, "btnFechar");
    colocar(btnFechar, 234, 209, 95, 25);

    Bevel1 = new QFrame(pnlFundo);
    nomear(Bevel1, "Bevel1");
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    colocar(Bevel1, 7, 238, 320, 2);

    lblFilial = new QLabel(pnlFundo);
    nomear(lblFilial, "lblFilial");
    lblDataBase = new QLabel(pnlFundo);
    nomear(lblDataBase, "lblDataBase");
    colocar(lblFilial, 8, 246, 320, 13);
    colocar(lblDataBase, 7, 260, 320, 13);
    for (QLabel* l : {lblFilial, lblDataBase}) l->setFont(FonteTahoma(7));

    pnlProgress = new QFrame(pnlFundo);
    nomear(pnlProgress, "pnlProgress");
    pnlProgress->setAutoFillBackground(true);
    colocar(pnlProgress, 5, 245, 328, 25);
    oProgress = new QProgressBar(pnlProgress);
    nomear(oProgress, "oProgress");
    oProgress->setGeometry(3, 3, 322, 19);
    oProgress->setTextVisible(true);
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
    const QString acesse = QString::fromUtf8(" Acesse \"Configurações ->  Configurações gerais\" e selecione ");
    m_diretorio = ConfiguracaoExportacao::LerDiretorio();
    m_cnpjMatriz = ConfiguracaoExportacao::LerCNPJMatriz();

    auto recusar = [this](const QString& texto, QWidget* foco) {
        Mensagem(this, texto);
        foco->setFocus();
        return false;
    };
    if (EmBranco(m_cnpjMatriz)) return recusar(acesse + "o CNPJ da matriz.", btnConfiguracoes);
    if (EmBranco(m_diretorio))
        return recusar(acesse + QString::fromUtf8("o diretório onde será gerado o arquivo."), btnConfiguracoes);
    const QString caminho = ComSeparadorFinal(m_diretorio);
    if (!QFileInfo(caminho).isDir())
        return recusar(QString::fromUtf8("O Diretório \"") + caminho +
                           QString::fromUtf8("\" não existe,  acesse \"Configurações ->  Configurações gerais\" "
                                             "e selecione o diretório onde será gerado o arquivo"),
                       btnConfiguracoes);
    if (EmpresaDaLinhaAtual() != ValorEmpresa())
        return recusar("Selecione a Empresa desejada.", cmbEmpresa);
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

    const bool porLancamento = rdDataLancamento->isChecked();
    const bool ambos = rdAmbos->isChecked();
    auto gerar = [&](bool comReceita) {
        return TDadosExportacao::GerarArquivo(QryDados, m_diretorio, porLancamento, EditDe->date(),
                                              EditAte->date(), comReceita, ValorEmpresa());
    };

    const QString primeiro = gerar(rdComReceita->isChecked());
    if (QryDados.size() > 0) {
        if (rdComReceita->isChecked()) {
            PrepararRelatorio(*relPromed);
            mostrarPromed = true;
        } else {
            PrepararRelatorio(*relProfarma);
            mostrarProfarma = true;
        }
    }
    QString mensagem = primeiro;
    if (ambos) {
        mensagem = gerar(true) + "\r\n" + primeiro;
        PrepararRelatorio(*relPromed);
        mostrarPromed = true;
    }

    Dialogos::Mostrar(this, mensagem, "Sucesso", Dialogos::Icone::Informacao);
    if (mostrarPromed) TFPreviewRelatorio::Mostrar(*relPromed);
    if (mostrarProfarma) TFPreviewRelatorio::Mostrar(*relProfarma);
}

void TFMain::PrepararRelatorio(Relatorio& relatorio) {
    ::PrepararRelatorio(relatorio, EditDe->date(), EditAte->date(), QryDados);
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
