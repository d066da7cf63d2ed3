#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The private MariaDB server of scripts/mariadb, as the environment of `scripts/mariadb env`
// describes it (QUELVAR_DB_HOST, _PORT, _PASSWORD; defaults match the script's).
struct ServidorTeste {
    static QString host();
    static int porta();
    static QString senha();
};

// A database of its own on the private server for one test program (or one test), with the ERP
// schema loaded; dropped when the object goes. conexao() is a QMYSQL connection to it.
class BancoTeste {
public:
    explicit BancoTeste(bool comEsquema = true);
    ~BancoTeste();
    BancoTeste(const BancoTeste&) = delete;
    BancoTeste& operator=(const BancoTeste&) = delete;

    const QString& nome() const { return m_nome; }
    QSqlDatabase conexao() const;

    // Runs one statement, or a script of statements separated by ";" at line ends; fails the
    // test (ADD_FAILURE + exception) on an error.
    void executar(const QString& sql) const;
    void executarScript(const QString& script) const;
    // First column of the first row as text ("" when no row; "NULL" for null).
    QString valor(const QString& sql) const;

private:
    QString m_nome;
    QString m_conexao;
};

// A temporary folder made the settings folder (DefinirPastaConfiguracao) while the object lives,
// with helpers to write the two settings files into it.
class PastaConfiguracaoTeste {
public:
    PastaConfiguracaoTeste();
    ~PastaConfiguracaoTeste();

    QString caminho() const;  // with the trailing separator
    // sistema_zuv.ini with [ip] local=host:port, database, usuario=root and the enciphered
    // password of the private server; extraLinhas are appended verbatim (CR LF added).
    void escreverSistemaZuv(const QString& banco, const QStringList& extraLinhas = {}) const;
    void escreverArquivo(const QString& nome, const QByteArray& conteudo) const;
    QByteArray lerArquivo(const QString& nome) const;

private:
    QTemporaryDir m_dir;
    QString m_anterior;
};
