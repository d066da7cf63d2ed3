#include "UConfiguracoesQuelvar.h"

#include "Aparencia.h"

#include "ConfiguracaoExportacao.h"
#include "Dialogos.h"
#include "Pastas.h"
#include "Texto.h"
#include "UDados.h"
#include "UDao.h"
#include "ValidacaoDocumento.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

const QString SqlCriarTabela = QStringLiteral(
    "CREATE TABLE if not exists `quelvar_config_filial` (  \r\n"
    "  `filial_id` INT(11) NOT NULL DEFAULT \"0\", \r\n"
    "  `codigo_quelvar` VARCHAR(20) NOT NULL DEFAULT \"\", \r\n"
    "  PRIMARY KEY (`filial_id`) ) \r\n");

const QString SqlFiliais = QStringLiteral(
    " select \r\n"
    "  filial.filial_id,  \r\n"
    "  concat(filial.filial_id, \" - \", filial.nome) as nome_filial,  \r\n"
    "  filial.cgc,  \r\n"
    "  coalesce(quelvar_config_filial.codigo_quelvar, \"\") as codigo_quelvar  \r\n"
    " from  \r\n"
    "  filial  \r\n"
    " left join quelvar_config_filial on  \r\n"
    "   filial.filial_id = quelvar_config_filial.filial_id \r\n"
    " where \r\n"
    "   filial.escritorio <> \"S\" and  \r\n"
    "   filial.apagado <> \"S\"  \r\n");

const QString MascaraCNPJ = QStringLiteral("99.999.999/9999-99");
const QChar BrancoMascara = QLatin1Char('_');

const QColor CorTextoSuave(51, 51, 51);
const QColor CorFundoPainel(225, 225, 225);
const QColor CorFundoCodigo(252, 253, 189);
const QColor CorTitulos(0, 64, 128);
const QColor CorLinhasColunas(192, 192, 192);

QLabel* NovoRotulo(const QString& texto, QWidget* pai, int esquerda, int topo) {
    auto* rotulo = new QLabel(texto, pai);
    rotulo->move(esquerda, topo);
    rotulo->adjustSize();
    return rotulo;
}

QPushButton* NovoBotao(const QString& texto, QWidget* pai, const QRect& posicao) {
    auto* botao = new QPushButton(texto, pai);
    botao->setGeometry(posicao);
    // Enter in a field must not press a button behind the user's back.
    botao->setAutoDefault(false);
    return botao;
}

// White "i" on a blue disc, drawn here so the program carries no image files.
QPixmap IconeInformacao() {
    QPixmap icone(18, 18);
    icone.fill(Qt::transparent);
    QPainter pintor(&icone);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(QColor(0, 102, 204));
    pintor.drawEllipse(QRectF(0.5, 0.5, 17, 17));
    pintor.setBrush(Qt::white);
    pintor.drawEllipse(QRectF(7.5, 3.5, 3, 3));
    pintor.drawRect(QRectF(7.6, 7.5, 2.8, 7));
    return icone;
}

// Cell editors take no more characters than their field holds; only column lines are drawn.
class TDelegateFiliais : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(pai, opcao, indice);
        if (auto* linha = qobject_cast<QLineEdit*>(editor)) linha->setMaxLength(TCdsConfig::TamanhoCampo(indice.column()));
        return editor;
    }

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        QStyledItemDelegate::paint(pintor, opcao, indice);
        pintor->save();
        pintor->setPen(CorLinhasColunas);
        pintor->drawLine(opcao.rect.topRight(), opcao.rect.bottomRight());
        pintor->restore();
    }
};

}  // namespace

// The branch grid, able to hand a half-typed cell to the model when saving starts from the keyboard.
class TGradeFiliais : public QTableView {
public:
    using QTableView::QTableView;

    void ConfirmarEdicao() {
        if (state() != EditingState) return;
        for (QWidget* editor : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!editor->isVisible()) continue;
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
};

// ---------------------------------------------------------------- TCdsConfig

int TCdsConfig::TamanhoCampo(int coluna) {
    switch (coluna) {
    case ColFilial: return 80;
    case ColCnpj: return 20;
    default: return 4;
    }
}

template <typename L>
auto& TCdsConfig::Campo(L& linha, int coluna) {
    switch (coluna) {
    case ColFilial: return linha.nome_filial;
    case ColCnpj: return linha.cnpj_filial;
    default: return linha.codigo_quelvar;
    }
}

void TCdsConfig::Esvaziar() {
    beginResetModel();
    m_linhas.clear();
    endResetModel();
}

void TCdsConfig::Acrescentar(const Linha& linha) {
    Linha nova = linha;
    for (int coluna = 0; coluna < TotalColunas; ++coluna) Campo(nova, coluna).truncate(TamanhoCampo(coluna));
    beginInsertRows(QModelIndex(), m_linhas.size(), m_linhas.size());
    m_linhas.append(nova);
    endInsertRows();
}

int TCdsConfig::rowCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : m_linhas.size(); }

int TCdsConfig::columnCount(const QModelIndex& pai) const { return pai.isValid() ? 0 : TotalColunas; }

QVariant TCdsConfig::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid()) return {};
    if (papel == Qt::DisplayRole || papel == Qt::EditRole)
        return Campo(m_linhas[indice.row()], indice.column());
    if (papel == Qt::BackgroundRole && indice.column() == ColCodigo) return CorFundoCodigo;
    return {};
}

bool TCdsConfig::setData(const QModelIndex& indice, const QVariant& valor, int papel) {
    if (!indice.isValid() || papel != Qt::EditRole) return false;
    Campo(m_linhas[indice.row()], indice.column()) = valor.toString().left(TamanhoCampo(indice.column()));
    emit dataChanged(indice, indice, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant TCdsConfig::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole) return {};
    switch (secao) {
    case ColFilial: return QStringLiteral("Filial");
    case ColCnpj: return QStringLiteral("CNPJ");
    case ColCodigo: return QStringLiteral("Código Quelvar");
    default: return {};
    }
}

Qt::ItemFlags TCdsConfig::flags(const QModelIndex& indice) const {
    Qt::ItemFlags base = QAbstractTableModel::flags(indice);
    if (indice.isValid() && indice.column() != ColFilial) base |= Qt::ItemIsEditable;
    return base;
}

// ---------------------------------------------------------------- TFConfiguracoesQuelvar

TFConfiguracoesQuelvar::TFConfiguracoesQuelvar(QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FConfiguracoesQuelvar"));
    setWindowTitle(QStringLiteral("FConfiguracoesQuelvar"));
    setModal(true);
    setFixedSize(495, 404);
    setFont(FontePadrao());

    MontarGeral();
    MontarFiliais();
    EstiloWindowsNosGrupos(this);
    btnSalvar = NovoBotao(QStringLiteral("Salvar (F3)"), this, {304, 371, 89, 25});
    btnSalvar->setObjectName(QStringLiteral("btnSalvar"));
    btnCancelar = NovoBotao(QStringLiteral("Cancelar (Esc)"), this, {399, 371, 89, 25});
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    MontarOrdemTabulacao();

    connect(btnSalvar, &QPushButton::clicked, this, [this] { Protegido(this, [this] { btnSalvarClick(); }); });
    connect(btnCancelar, &QPushButton::clicked, this, [this] { Protegido(this, [this] { btnCancelarClick(); }); });
    connect(ButtonDiretorio, &QPushButton::clicked, this,
            [this] { Protegido(this, [this] { ButtonDiretorioClick(); }); });

    // F3 and Esc act from any control, also from inside a grid cell's editor, which only an
    // application-wide filter sees before the editor does.
    qApp->installEventFilter(this);
    EdCNPJMatriz->setFocus();
}

void TFConfiguracoesQuelvar::MontarGeral() {
    auto* grupo = new QGroupBox(QStringLiteral(" Configurações gerais "), this);
    grupo->setObjectName(QStringLiteral("GroupConfigGerais"));
    grupo->setGeometry(5, 4, 484, 107);
    grupo->setFont(FonteArial());
    Colorir(grupo, QPalette::WindowText, Qt::black);

    NovoRotulo(QStringLiteral("CNPJ da matriz"), grupo, 11, 18);
    EdCNPJMatriz = new QLineEdit(grupo);
    EdCNPJMatriz->setObjectName(QStringLiteral("EdCNPJMatriz"));
    EdCNPJMatriz->setGeometry(11, 34, 126, 22);
    EdCNPJMatriz->setInputMask(MascaraCNPJ + QLatin1Char(';') + BrancoMascara);

    NovoRotulo(QStringLiteral("Razão social"), grupo, 144, 18);
    EditNome = new QLineEdit(grupo);
    EditNome->setObjectName(QStringLiteral("EditNome"));
    EditNome->setGeometry(144, 34, 327, 22);

    QLabel* rotuloDiretorio = NovoRotulo(QStringLiteral("Caminho para armazenar os arquivos .TXT"), grupo, 11, 60);
    Colorir(rotuloDiretorio, QPalette::WindowText, CorTextoSuave);
    EditCaminhoTxt = new QLineEdit(grupo);
    EditCaminhoTxt->setObjectName(QStringLiteral("EditCaminhoTxt"));
    EditCaminhoTxt->setGeometry(11, 76, 426, 22);
    EditCaminhoTxt->setReadOnly(true);
    Colorir(EditCaminhoTxt, QPalette::Base, palette().color(QPalette::Button));
    Colorir(EditCaminhoTxt, QPalette::Text, CorTextoSuave);

    ButtonDiretorio = NovoBotao(QStringLiteral("..."), grupo, {440, 76, 30, 21});
    ButtonDiretorio->setObjectName(QStringLiteral("ButtonDiretorio"));
}

void TFConfiguracoesQuelvar::MontarFiliais() {
    auto* grupo = new QGroupBox(QStringLiteral(" Filiais "), this);
    grupo->setObjectName(QStringLiteral("GroupBox1"));
    grupo->setGeometry(5, 113, 484, 249);
    grupo->setFont(FonteArial());

    auto* painel = new QWidget(grupo);
    painel->setObjectName(QStringLiteral("Panel1"));
    painel->setGeometry(5, 15, 471, 26);
    painel->setAutoFillBackground(true);
    Colorir(painel, QPalette::Window, CorFundoPainel);
    // The leading blanks keep the text clear of the icon strip.
    auto* texto = new QLabel(QStringLiteral("          Informe o código da filial registrada na Quelvar"), painel);
    texto->setGeometry(0, 0, 471, 26);
    texto->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Colorir(texto, QPalette::WindowText, CorTextoSuave);
    auto* imagem = new QLabel(painel);
    imagem->setObjectName(QStringLiteral("Image1"));
    imagem->setGeometry(0, 0, 30, 26);
    imagem->setAlignment(Qt::AlignCenter);
    imagem->setPixmap(IconeInformacao());

    cdsConfig = new TCdsConfig(this);
    grade = new TGradeFiliais(grupo);
    grade->setObjectName(QStringLiteral("gradeFiliais"));
    grade->setGeometry(8, 54, 464, 185);
    grade->setModel(cdsConfig);
    grade->setItemDelegate(new TDelegateFiliais(grade));
    grade->setShowGrid(false);
    grade->setSelectionMode(QAbstractItemView::SingleSelection);
    grade->setSelectionBehavior(QAbstractItemView::SelectItems);
    grade->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
    grade->setTabKeyNavigation(true);
    grade->verticalHeader()->hide();
    grade->verticalHeader()->setDefaultSectionSize(grade->fontMetrics().height() + 4);

    QHeaderView* titulos = grade->horizontalHeader();
    titulos->setSectionResizeMode(QHeaderView::Interactive);
    titulos->setHighlightSections(false);
    titulos->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titulos->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: %1; color: white; "
                                          "font-weight: normal; border: none; border-right: 1px solid %2; "
                                          "padding: 2px; }")
                               .arg(CorTitulos.name(), CorLinhasColunas.name()));
    titulos->resizeSection(TCdsConfig::ColFilial, 240);
    titulos->resizeSection(TCdsConfig::ColCnpj, 108);
    titulos->resizeSection(TCdsConfig::ColCodigo, 88);
}

void TFConfiguracoesQuelvar::MontarOrdemTabulacao() {
    const QList<QWidget*> ordem{EdCNPJMatriz, EditNome, EditCaminhoTxt, ButtonDiretorio, grade, btnSalvar, btnCancelar};
    for (int i = 1; i < ordem.size(); ++i) setTabOrder(ordem[i - 1], ordem[i]);
}

void TFConfiguracoesQuelvar::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (evento->spontaneous()) return;
    if (QScreen* tela = screen()) move(tela->geometry().center() - rect().center());
    Protegido(this, [this] { FormShow(); });
}

bool TFConfiguracoesQuelvar::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress || !isVisible()) return QDialog::eventFilter(alvo, evento);
    // A key a control ignores travels on to its parents through this filter again: act only on
    // its first stop, the focused control (or the window itself when nothing has the focus).
    QWidget* foco = QApplication::focusWidget();
    QWidget* primeiro = foco && foco->window() == this ? foco : this;
    if (alvo == primeiro) FormKeyDown(static_cast<QKeyEvent*>(evento)->key());
    return false;
}

void TFConfiguracoesQuelvar::FormKeyDown(int tecla) {
    if (tecla == Qt::Key_F3)
        Protegido(this, [this] { btnSalvarClick(); });
    else if (tecla == Qt::Key_Escape)
        Protegido(this, [this] { btnCancelarClick(); });
}

void TFConfiguracoesQuelvar::FormShow() {
    cdsConfig->Esvaziar();
    TDao::ExecutarSql(TDadosExportacao::GetConexao(), SqlCriarTabela, true);
    CarregarDados();
}

void TFConfiguracoesQuelvar::CarregarDados() {
    CarregarArquivoConfiguracao();
    CarregarFiliais();
}

void TFConfiguracoesQuelvar::CarregarArquivoConfiguracao() {
    EditCaminhoTxt->setText(ConfiguracaoExportacao::LerDiretorio());
    EdCNPJMatriz->setText(ConfiguracaoExportacao::LerCNPJMatriz());
    EdCNPJMatriz->setCursorPosition(0);
    EditNome->setText(ConfiguracaoExportacao::LerNomeMatriz());
}

void TFConfiguracoesQuelvar::CarregarFiliais() {
    const auto consulta = TDao::AbrirConsulta(TDadosExportacao::GetConexao(), SqlFiliais, true);
    cdsConfig->Esvaziar();
    while (consulta->next()) {
        cdsConfig->Acrescentar({consulta->value(QStringLiteral("filial_id")).toInt(),
                                consulta->value(QStringLiteral("nome_filial")).toString(),
                                consulta->value(QStringLiteral("cgc")).toString(),
                                consulta->value(QStringLiteral("codigo_quelvar")).toString()});
    }
    grade->setCurrentIndex(cdsConfig->index(0, TCdsConfig::ColFilial));
}

void TFConfiguracoesQuelvar::btnSalvarClick() {
    grade->ConfirmarEdicao();
    if (!ValidarCampos()) return;
    SalvarArquivoConfiguracao();
    SalvarFiliais();
    accept();
}

void TFConfiguracoesQuelvar::btnCancelarClick() { reject(); }

void TFConfiguracoesQuelvar::ButtonDiretorioClick() {
    const QString pasta = Dialogos::EscolherPasta(this, QStringLiteral("Caminho para armazenar os arquivos gerados"));
    if (pasta.isEmpty()) return;
    EditCaminhoTxt->setText(ComSeparadorFinal(QDir::toNativeSeparators(pasta)));
}

bool TFConfiguracoesQuelvar::ValidarCampos() {
    const auto recusar = [this](const QString& mensagem, QWidget* corrigir) {
        Mensagem(this, mensagem, 0);
        corrigir->setFocus();
        return false;
    };
    if (EmBranco(ValorCNPJ())) return recusar(QStringLiteral("Informe o campo \"CNPJ da matriz\"."), EdCNPJMatriz);
    if (!ValidarDocumento(ValorCNPJ())) return recusar(QStringLiteral("CNPJ inválido."), EdCNPJMatriz);
    if (EmBranco(EditNome->text())) return recusar(QStringLiteral("Informe o campo \"Razão social\"."), EditNome);
    if (EmBranco(EditCaminhoTxt->text()))
        return recusar(QStringLiteral("Selecione o caminho para armazenar os arquivos \".TXT\"."), ButtonDiretorio);
    return true;
}

void TFConfiguracoesQuelvar::SalvarArquivoConfiguracao() {
    ConfiguracaoExportacao::GravarDiretorio(EditCaminhoTxt->text());
    ConfiguracaoExportacao::GravarCNPJMatriz(ValorCNPJ());
    ConfiguracaoExportacao::GravarNomeMatriz(EditNome->text());
}

// One statement per listed branch and no transaction: a failure leaves the branches before it
// stored. The grid's current row is never moved, so it is where the user left it either way.
void TFConfiguracoesQuelvar::SalvarFiliais() {
    TSqlMount comando(smReplace, QStringLiteral("quelvar_config_filial"));
    for (const TCdsConfig::Linha& linha : cdsConfig->Linhas()) {
        comando.Clear();
        comando.AddInteger(QStringLiteral("filial_id"), linha.filial_id);
        comando.AddString(QStringLiteral("codigo_quelvar"), linha.codigo_quelvar);
        TDao::ExecutarSqlMount(TDadosExportacao::GetConexao(), comando, true);
    }
}

// Qt's masked text drops unfilled positions altogether. The field's value keeps the 14 positions
// without punctuation: unfilled ones before the first entered character are left out, later
// ones read as blanks, so an untouched field is empty and a full one is its 14 digits.
QString TFConfiguracoesQuelvar::ValorCNPJ() const {
    const QString exibido = EdCNPJMatriz->displayText();
    QString valor;
    for (int i = 0; i < MascaraCNPJ.size() && i < exibido.size(); ++i) {
        if (MascaraCNPJ[i] != QLatin1Char('9')) continue;
        if (exibido[i] != BrancoMascara)
            valor += exibido[i];
        else if (!valor.isEmpty())
            valor += QLatin1Char(' ');
    }
    return valor;
}
