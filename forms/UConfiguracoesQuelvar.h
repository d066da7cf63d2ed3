#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <QString>

class QLineEdit;
class QPushButton;
class QTableView;
class TGradeFiliais;

// The branches listed in the settings window, one row each, kept only in memory. Rows come from
// the database and nowhere else: the model offers no way to add or remove one, so the grid can
// neither insert nor delete. Every text is cut to its field's size when assigned.
class TCdsConfig : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Coluna { ColFilial, ColCnpj, ColCodigo, TotalColunas };

    struct Linha {
        int filial_id = 0;
        QString nome_filial;
        QString cnpj_filial;
        QString codigo_quelvar;
    };

    static int TamanhoCampo(int coluna);

    using QAbstractTableModel::QAbstractTableModel;

    void Esvaziar();
    void Acrescentar(const Linha& linha);
    const QList<Linha>& Linhas() const { return m_linhas; }

    int rowCount(const QModelIndex& pai = QModelIndex()) const override;
    int columnCount(const QModelIndex& pai = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

private:
    // The text field shown in a column, for a const or a changeable row.
    template <typename L>
    static auto& Campo(L& linha, int coluna);
    QList<Linha> m_linhas;
};

// The settings window: head-office CNPJ and legal name and the output folder in the export
// settings file, and each branch's code at Quelvar in quelvar_config_filial.
class TFConfiguracoesQuelvar : public QDialog {
    Q_OBJECT
public:
    explicit TFConfiguracoesQuelvar(QWidget* pai = nullptr);

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void MontarGeral();
    void MontarFiliais();
    void MontarOrdemTabulacao();

    void FormShow();
    void FormKeyDown(int tecla);
    void btnSalvarClick();
    void btnCancelarClick();
    void ButtonDiretorioClick();

    void CarregarDados();
    void CarregarArquivoConfiguracao();
    void CarregarFiliais();
    bool ValidarCampos();
    void SalvarArquivoConfiguracao();
    void SalvarFiliais();

    QString ValorCNPJ() const;

    QLineEdit* EdCNPJMatriz = nullptr;
    QLineEdit* EditNome = nullptr;
    QLineEdit* EditCaminhoTxt = nullptr;
    QPushButton* ButtonDiretorio = nullptr;
    QPushButton* btnSalvar = nullptr;
    QPushButton* btnCancelar = nullptr;
    TGradeFiliais* grade = nullptr;
    TCdsConfig* cdsConfig = nullptr;
};
