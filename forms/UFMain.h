#pragma once

#include "Geracao.h"
#include "IProgresso.h"

#include <QDate>
#include <QSqlQuery>
#include <QWidget>
#include <memory>

class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class Relatorio;

// The program's main window: company, sales kind, date kind and period; generates the export
// files, shows the summary and the coupon reports, opens the settings window.
class TFMain : public QWidget {
    Q_OBJECT

public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void CriarControles();
    void FormShow();
    void FormKeyDown(int tecla);
    void btnGerarClick();
    void btnFecharClick();
    void btnConfiguracoesClick();
    void EditEmpresaChange();
    void cmbEmpresaClick(int indice);

    bool ValidarCampos();
    void GerarArquivos();
    void CarregarConfiguracoes();
    void SalvarConfiguracoes();
    void PrepararRelatorio(Relatorio& relatorio);

    int ValorEmpresa() const;
    int EmpresaDaLinhaAtual() const;

    // The gauge as the export run sees it.
    class ProgressoBarra : public IProgresso {
    public:
        explicit ProgressoBarra(QProgressBar* barra) : m_barra(barra) {}
        void DefinirMaximo(int maximo) override;
        void DefinirPosicao(int posicao) override;
        void Avancar() override;

    private:
        QProgressBar* m_barra;
    };

    QFrame* pnlFundo = nullptr;
    QFrame* pnlCaption = nullptr;
    QLabel* lblCaption = nullptr;
    QLabel* imgLogo = nullptr;
    QGroupBox* grpEmpresa = nullptr;
    QLineEdit* EditEmpresa = nullptr;
    QComboBox* cmbEmpresa = nullptr;
    QGroupBox* rdgFiltro = nullptr;
    QRadioButton* rdComReceita = nullptr;
    QRadioButton* rdSemReceita = nullptr;
    QRadioButton* rdAmbos = nullptr;
    QGroupBox* grpPeriodo = nullptr;
    QRadioButton* rdDataLancamento = nullptr;
    QRadioButton* rdDataVencimento = nullptr;
    QLabel* lblInicial = nullptr;
    QDateEdit* EditDe = nullptr;
    QLabel* lblFinal = nullptr;
    QDateEdit* EditAte = nullptr;
    QPushButton* btnConfiguracoes = nullptr;
    QPushButton* btnGerar = nullptr;
    QPushButton* btnFechar = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* lblFilial = nullptr;
    QLabel* lblDataBase = nullptr;
    QFrame* pnlProgress = nullptr;
    QProgressBar* oProgress = nullptr;
    ProgressoBarra m_progresso{nullptr};

    // The company list: empresa_id and nome per row; the current row is the one last found
    // through EditEmpresa or picked in cmbEmpresa (-1 when the list is empty).
    struct Empresa {
        int id;
        QString nome;
    };
    QList<Empresa> m_empresas;
    int m_linhaAtual = -1;

    QString m_diretorio;
    QString m_cnpjMatriz;
    // The choices of the generation under way, taken when it starts: the controls stay live
    // while a run lets window messages through, and both runs and their reports must keep to
    // what was validated.
    struct Escolhas {
        bool porLancamento = true;
        bool comReceita = true;
        bool ambos = false;
        QDate de;
        QDate ate;
        int empresa = 0;
    };
    Escolhas m_escolhas;
    QSqlQuery QryDados;
    std::unique_ptr<Relatorio> relPromed;
    std::unique_ptr<Relatorio> relProfarma;

    bool m_mostrado = false;
    bool m_preparado = false;       // the show sequence ran to its end
    bool m_gerando = false;         // a generation is running (it lets window messages run)
    bool m_fecharAoTerminar = false;  // a close asked for during a generation
};
