#include "UDao.h"

#include "Cp1252.h"
#include "Erro.h"
#include "Ini.h"
#include "Pastas.h"
#include "UConfiguraConexaoMyDac.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QUuid>

namespace {

const QString SqlCentral = QStringLiteral("select * from config_central limit 1");

bool temPastaNoNome(const QString& nome) {
    return nome.contains(u'\\') || nome.contains(u'/') || nome.contains(u':');
}

// A damaged stored password never stops a connection attempt: the ERP's fallback takes its place.
QString senhaDecifrada(const QString& armazenada) {
    try {
        return cp1252::decodificar(DecodificarSenha(cp1252::codificar(armazenada), TDao::ChaveSenha));
    } catch (const std::exception&) {
        return QString::fromLatin1(TDao::SenhaReserva);
    }
}

QString campoTexto(const QSqlQuery& consulta, const QString& nome) {
    const int indice = consulta.record().indexOf(nome);
    if (indice < 0) throw Erro(QStringLiteral("Field '%1' not found").arg(nome));
    return consulta.value(indice).toString();
}

// The central server's connection data, as the local database names it in config_central.
// Whatever has been taken from the row stays taken when a later step fails.
void lerCentral(const QSqlDatabase& conexao, QString& endereco, QString& banco, QString& usuario, QString& senha) {
    const std::unique_ptr<QSqlQuery> consulta = TDao::AbrirConsulta(conexao, SqlCentral, true);
    if (!consulta->next()) return;
    endereco = campoTexto(*consulta, QStringLiteral("ip_central"));
    banco = campoTexto(*consulta, QStringLiteral("banco_dados"));
    usuario = campoTexto(*consulta, QStringLiteral("usuario"));
    senha = senhaDecifrada(campoTexto(*consulta, QStringLiteral("senha")));
}

// DECIMAL columns must arrive as their exact text, never through double.
void precisaoAlta(QSqlQuery& consulta) { consulta.setNumericalPrecisionPolicy(QSql::HighPrecision); }

// With the raise flag on a database error reaches the caller with the server's own text.
void levantarSe(bool levantar, const QSqlError& erro) {
    if (levantar) throw ErroBanco(erro.text());
}

bool caractereDeNome(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

// The placeholders ":name" of a statement text, each name once, read as the driver reads them:
// not inside quotes, and "::" is no placeholder. The driver refuses to run when a bound name
// is missing from the text, so only these may be bound.
QStringList marcadores(const QString& texto) {
    QStringList nomes;
    QChar aspa;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (!aspa.isNull()) {
            if (c == aspa) aspa = QChar();
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            aspa = c;
        } else if (c == u':' && i + 1 < texto.size() && texto.at(i + 1) == u':') {
            ++i;
        } else if (c == u':') {
            qsizetype fim = i + 1;
            while (fim < texto.size() && caractereDeNome(texto.at(fim))) ++fim;
            const QString nome = texto.mid(i + 1, fim - i - 1);
            if (!nome.isEmpty() && !nomes.contains(nome)) nomes << nome;
            i = fim - 1;
        }
    }
    return nomes;
}

QVariant valorDoParametro(const TSqlMount::Param& p) {
    switch (p.tipo) {
    case QMetaType::Int: return QVariant(p.valor.toInt());
    case QMetaType::QString: return QVariant(p.valor.toString());
    default: return p.valor;
    }
}

// Each placeholder takes the value of the builder's parameter of the same name (names compared
// without regard to case, the last one added winning); a placeholder without one is bound null.
void atribuirParametros(QSqlQuery& comando, const QString& texto, const QList<TSqlMount::Param>& params) {
    for (const QString& nome : marcadores(texto)) {
        QVariant valor;
        for (const TSqlMount::Param& p : params) {
            if (p.nome.compare(nome, Qt::CaseInsensitive) == 0) valor = valorDoParametro(p);
        }
        comando.bindValue(u':' + nome, valor);
    }
}

}  // namespace

QString TDao::CaminhoConfiguracao(const QString& nome) {
    if (nome.isEmpty()) return PastaConfiguracao() + QLatin1String(ArquivoPadrao);
    if (!temPastaNoNome(nome)) return PastaConfiguracao() + nome;
    return nome;
}

void TDao::LerConfiguracao(const QString& arquivo, const QString& secao, QString& endereco, QString& banco,
                           QString& usuario, QString& senha, bool central) {
    const ArquivoIni ini(CaminhoConfiguracao(arquivo));
    endereco = ini.lerTexto(secao, central ? QStringLiteral("central") : QStringLiteral("local"), QString());
    banco = ini.lerTexto(secao, QStringLiteral("database"), QString());
    usuario = ini.lerTexto(secao, QStringLiteral("usuario"), QStringLiteral("root"));
    senha = senhaDecifrada(ini.lerTexto(secao, QStringLiteral("senha"), QString::fromLatin1(SenhaPadrao)));
    if (!central) return;

    // The central server is optional: any failure leaves the values read so far.
    try {
        QSqlDatabase temporaria = CriarConexao(arquivo, secao);
        try {
            lerCentral(temporaria, endereco, banco, usuario, senha);
        } catch (const std::exception&) {
        }
        Liberar(temporaria);
    } catch (const std::exception&) {
    }
}

void TDao::Configurar(QSqlDatabase& conexao, const QString& endereco, const QString& banco, const QString& usuario,
                      const QString& senha) {
    TConfiguraConexaoMyDac::Configurar(conexao, endereco, banco, usuario, senha);
}

QSqlDatabase TDao::NovaConexao(const QString& endereco, const QString& banco, const QString& usuario,
                               const QString& senha) {
    const QString nome = QStringLiteral("quelvar_") + QUuid::createUuid().toString(QUuid::Id128);
    QSqlDatabase conexao = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), nome);
    Configurar(conexao, endereco, banco, usuario, senha);
    if (!conexao.open()) {
        const QString erro = conexao.lastError().text();
        Liberar(conexao);
        throw ErroBanco(erro);
    }
    return conexao;
}

QSqlDatabase TDao::CriarConexao(const QString& arquivo, const QString& secao) {
    QString endereco, banco, usuario, senha;
    LerConfiguracao(arquivo, secao, endereco, banco, usuario, senha, false);
    return NovaConexao(endereco, banco, usuario, senha);
}

void TDao::Liberar(QSqlDatabase& conexao) {
    const QString nome = conexao.connectionName();
    conexao.close();
    conexao = QSqlDatabase();
    QSqlDatabase::removeDatabase(nome);
}

QVariant TDao::ConsultarValor(const QSqlDatabase& conexao, const QString& sql, const QVariant& padrao,
                              bool levantar) {
    QSqlQuery consulta(conexao);
    precisaoAlta(consulta);
    if (!consulta.exec(sql)) {
        levantarSe(levantar, consulta.lastError());
        return padrao;
    }
    if (!consulta.next() || consulta.isNull(0)) return padrao;
    return consulta.value(0);
}

int TDao::ExecutarSql(const QSqlDatabase& conexao, const QString& sql, bool levantar) {
    QSqlQuery comando(conexao);
    precisaoAlta(comando);
    if (!comando.exec(sql)) {
        levantarSe(levantar, comando.lastError());
        return -1;
    }
    return comando.numRowsAffected();
}

std::unique_ptr<QSqlQuery> TDao::AbrirConsulta(const QSqlDatabase& conexao, const QString& sql, bool levantar) {
    auto consulta = std::make_unique<QSqlQuery>(conexao);
    precisaoAlta(*consulta);
    if (!consulta->exec(sql)) {
        levantarSe(levantar, consulta->lastError());
        return nullptr;
    }
    return consulta;
}

int TDao::ExecutarSqlMount(const QSqlDatabase& conexao, TSqlMount& mount, bool levantar) {
    const QString texto = TextoDasLinhas(mount.GetSQL());
    QSqlQuery comando(conexao);
    precisaoAlta(comando);
    // The server may already reject the text when it is prepared; that is the same failure as
    // rejecting it on execution.
    if (!comando.prepare(texto)) {
        levantarSe(levantar, comando.lastError());
        return -1;
    }
    atribuirParametros(comando, texto, mount.GetParams());
    if (!comando.exec()) {
        levantarSe(levantar, comando.lastError());
        return -1;
    }
    return comando.numRowsAffected();
}

QString TextoDasLinhas(const QStringList& linhas) {
    QString texto;
    for (const QString& linha : linhas) texto += linha + QStringLiteral("\r\n");
    return texto;
}
