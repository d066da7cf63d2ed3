#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// The password cipher. Texts are byte strings (a character's code is its byte value).
// Mode "E" enciphers, "D" deciphers, any other mode gives the empty text. In mode "D" a piece that
// is not hexadecimal raises Erro (a conversion error). The key must not be empty.
QByteArray Codificar(const QByteArray& modo, const QByteArray& texto, const QByteArray& chave);
// Empty for an empty or blank stored text; otherwise Codificar("D", stored, key).
QByteArray DecodificarSenha(const QByteArray& armazenado, const QByteArray& chave);

class TSqlMount;

// Connections are QMYSQL QSqlDatabase handles. Every query made here uses QSql::HighPrecision,
// so DECIMAL values arrive as their exact text (see Money::deVariant).
class TDao {
public:
    TDao() = delete;

    static constexpr const char* ArquivoPadrao = "sistema_zuv.ini";
    static constexpr const char* SenhaPadrao = "7AC05E9B13F68D20B4E7";
    static constexpr const char* SenhaReserva = "750381kuw";
    static constexpr const char* ChaveSenha = "ZUQ";

    // Empty name: PastaConfiguracao() + "sistema_zuv.ini"; a bare name (no separator, no colon):
    // PastaConfiguracao() + name; anything else unchanged.
    static QString CaminhoConfiguracao(const QString& nome);
    static void LerConfiguracao(const QString& arquivo, const QString& secao, QString& endereco,
                                QString& banco, QString& usuario, QString& senha, bool central);
    static void Configurar(QSqlDatabase& conexao, const QString& endereco, const QString& banco,
                           const QString& usuario, const QString& senha);
    // A new, open connection under a connection name of its own. Throws ErroBanco with the
    // driver's text when it cannot connect (nothing is left registered then).
    static QSqlDatabase NovaConexao(const QString& endereco, const QString& banco,
                                    const QString& usuario, const QString& senha);
    static QSqlDatabase CriarConexao(const QString& arquivo, const QString& secao);
    // Closes the connection and removes its registration.
    static void Liberar(QSqlDatabase& conexao);

    // The raise flag: on, a database error passes as ErroBanco with the server's text;
    // off, the fallback result (default value, -1, no query).
    static QVariant ConsultarValor(const QSqlDatabase& conexao, const QString& sql,
                                   const QVariant& padrao, bool levantar);
    static int ExecutarSql(const QSqlDatabase& conexao, const QString& sql, bool levantar);
    static std::unique_ptr<QSqlQuery> AbrirConsulta(const QSqlDatabase& conexao, const QString& sql,
                                                    bool levantar);
    static int ExecutarSqlMount(const QSqlDatabase& conexao, TSqlMount& mount, bool levantar);
};

// Statement kinds of TSqlMount; any other value is invalid.
using SQLMountType = quint8;
constexpr SQLMountType smUpdate = 0;
constexpr SQLMountType smInsert = 1;
constexpr SQLMountType smReplace = 2;

// Builds one insert, replace or update statement whose values travel as named parameters.
class TSqlMount {
public:
    struct Param {
        QString nome;
        QMetaType::Type tipo;  // QMetaType::Int for AddInteger, QMetaType::QString for AddString
        QVariant valor;
    };

    TSqlMount(SQLMountType tipo, QString tabela);

    QString TableName;
    QString Where;
    SQLMountType MountType;
    QStringList Fields;
    QList<QPair<QString, QString>> Expressions;  // field name -> SQL expression in place of ":name"

    void AddParam(const QString& nome, const QVariant& valor, QMetaType::Type tipo);
    void AddInteger(const QString& nome, qint32 valor);
    void AddString(const QString& nome, const QString& valor);
    void Clear();

    // Lines of the statement; its text is every line followed by CR LF. Throws Erro
    // "Nao ha campos para gerar a instrucao sql." or "SQLMountType inválido.".
    QStringList GetSQL() const;
    const QList<Param>& GetParams();
    QString ValueOf(const QString& nome) const;
    QStringList BuildUpdate() const;
    QStringList BuildInsert() const;

    const QList<Param>& Params() const { return m_params; }

private:
    QList<Param> m_params;
    QList<Param> m_commandParams;
};

// A list of lines as one statement text: every line, the last included, followed by CR LF.
QString TextoDasLinhas(const QStringList& linhas);
