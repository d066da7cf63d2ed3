#include "BancoTeste.h"

#include "Pastas.h"
#include "UDao.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QString variavel(const char* nome, const QString& padrao) {
    const QString v = qEnvironmentVariable(nome);
    return v.isEmpty() ? padrao : v;
}

QSqlDatabase abrir(const QString& nomeConexao, const QString& banco) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QMYSQL", nomeConexao);
    db.setHostName(ServidorTeste::host());
    db.setPort(ServidorTeste::porta());
    db.setUserName("root");
    db.setPassword(ServidorTeste::senha());
    db.setDatabaseName(banco);
    if (!db.open()) {
        const QString erro = db.lastError().text();
        throw std::runtime_error(("cannot reach the private MariaDB (scripts/mariadb start): " + erro).toStdString());
    }
    return db;
}

void executarEm(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        const QString erro = q.lastError().text();
        ADD_FAILURE() << "SQL failed: " << erro.toStdString() << "\n" << sql.toStdString();
        throw std::runtime_error(erro.toStdString());
    }
}

}  // namespace

QString ServidorTeste::host() { return variavel("QUELVAR_DB_HOST", "127.0.0.1"); }
int ServidorTeste::porta() { return variavel("QUELVAR_DB_PORT", "3407").toInt(); }
QString ServidorTeste::senha() { return variavel("QUELVAR_DB_PASSWORD", "quelvar-teste"); }

BancoTeste::BancoTeste(bool comEsquema) {
    const QString sufixo = QUuid::createUuid().toString(QUuid::Id128).left(12);
    m_nome = "t_" + sufixo;
    m_conexao = "teste_" + sufixo;
    {
        const QString admin = m_conexao + "_admin";
        {
            QSqlDatabase db = abrir(admin, QString());
            executarEm(db, "CREATE DATABASE " + m_nome + " CHARACTER SET latin1");
            db.close();
        }
        QSqlDatabase::removeDatabase(admin);
    }
    abrir(m_conexao, m_nome);
    if (comEsquema) {
        QFile f(QUELVAR_SCHEMA_SQL);
        if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("schema.sql not found");
        executarScript(QString::fromUtf8(f.readAll()));
    }
}

BancoTeste::~BancoTeste() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_conexao, false);
        if (db.isOpen()) {
            QSqlQuery q(db);
            q.exec("DROP DATABASE IF EXISTS " + m_nome);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_conexao);
}

QSqlDatabase BancoTeste::conexao() const { return QSqlDatabase::database(m_conexao, false); }

void BancoTeste::executar(const QString& sql) const { executarEm(conexao(), sql); }

void BancoTeste::executarScript(const QString& script) const {
    QString atual;
    for (const QString& linha : script.split('\n')) {
        const QString l = linha.trimmed();
        if (l.startsWith("--") && atual.trimmed().isEmpty()) continue;
        atual += linha + '\n';
        if (l.endsWith(';')) {
            atual = atual.trimmed();
            atual.chop(1);
            executar(atual);
            atual.clear();
        }
    }
    if (!atual.trimmed().isEmpty()) executar(atual.trimmed());
}

QString BancoTeste::valor(const QString& sql) const {
    QSqlQuery q(conexao());
    if (!q.exec(sql)) {
        ADD_FAILURE() << "SQL failed: " << q.lastError().text().toStdString();
        return QString();
    }
    if (!q.next()) return QString();
    return q.value(0).isNull() ? QStringLiteral("NULL") : q.value(0).toString();
}

PastaConfiguracaoTeste::PastaConfiguracaoTeste() : m_anterior(PastaConfiguracao()) {
    DefinirPastaConfiguracao(m_dir.path());
}

PastaConfiguracaoTeste::~PastaConfiguracaoTeste() { DefinirPastaConfiguracao(m_anterior); }

QString PastaConfiguracaoTeste::caminho() const { return ComSeparadorFinal(m_dir.path()); }

void PastaConfiguracaoTeste::escreverSistemaZuv(const QString& banco, const QStringList& extraLinhas) const {
    const QByteArray senha = Codificar("E", ServidorTeste::senha().toLatin1(), TDao::ChaveSenha);
    QByteArray conteudo = "[ip]\r\nlocal=" + ServidorTeste::host().toLatin1() + ":" +
                          QByteArray::number(ServidorTeste::porta()) + "\r\ndatabase=" + banco.toLatin1() +
                          "\r\nusuario=root\r\nsenha=" + senha + "\r\n";
    for (const QString& l : extraLinhas) conteudo += l.toLatin1() + "\r\n";
    escreverArquivo(TDao::ArquivoPadrao, conteudo);
}

void PastaConfiguracaoTeste::escreverArquivo(const QString& nome, const QByteArray& conteudo) const {
    QFile f(m_dir.filePath(nome));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write " + nome.toStdString());
    f.write(conteudo);
}

QByteArray PastaConfiguracaoTeste::lerArquivo(const QString& nome) const {
    QFile f(m_dir.filePath(nome));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}
