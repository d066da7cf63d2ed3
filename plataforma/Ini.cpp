#include "Ini.h"

#include "Cp1252.h"
#include "Erro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <limits>
#include <optional>
#include <utility>

namespace {

constexpr qsizetype kTamanhoMaximoValor = 2047;
const QString kFimDeLinha = QStringLiteral("\r\n");

// One line of the file as it was read: its text and its own line end ("\r\n", "\n", or nothing
// for a last line without one). Since every byte decodes to exactly one character and back,
// re-encoding an untouched line gives back its bytes.
struct Linha {
    QString texto;
    QString fim;
};

QList<Linha> separarLinhas(const QString& conteudo) {
    QList<Linha> linhas;
    qsizetype inicio = 0;
    while (inicio < conteudo.size()) {
        const qsizetype lf = conteudo.indexOf(u'\n', inicio);
        if (lf < 0) {
            linhas.append({conteudo.mid(inicio), QString()});
            break;
        }
        const bool comCr = lf > inicio && conteudo[lf - 1] == u'\r';
        const qsizetype fimTexto = comCr ? lf - 1 : lf;
        linhas.append({conteudo.mid(inicio, fimTexto - inicio), comCr ? kFimDeLinha : QStringLiteral("\n")});
        inicio = lf + 1;
    }
    return linhas;
}

bool ehEspaco(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

QStringView semEspacos(QStringView texto) {
    while (!texto.isEmpty() && ehEspaco(texto.front()))
        texto = texto.sliced(1);
    while (!texto.isEmpty() && ehEspaco(texto.back()))
        texto.chop(1);
    return texto;
}

// The name of the section a line opens, if it opens one.
std::optional<QStringView> nomeDaSecao(QStringView linha) {
    const QStringView t = semEspacos(linha);
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype fecha = t.indexOf(u']');
    if (fecha < 0)
        return std::nullopt;
    return semEspacos(t.sliced(1, fecha - 1));
}

// A line "key=value" inside a section; a line without "=" holds no value.
struct Entrada {
    QStringView chave;
    QStringView valor;
};

std::optional<Entrada> entradaDaLinha(QStringView linha) {
    const qsizetype igual = linha.indexOf(u'=');
    if (igual < 0)
        return std::nullopt;
    return Entrada{semEspacos(linha.first(igual)), semEspacos(linha.sliced(igual + 1))};
}

bool mesmoNome(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section's lines are: the header's index and the index just past its last line.
struct Trecho {
    qsizetype cabecalho;
    qsizetype fim;
};

std::optional<Trecho> localizarSecao(const QList<Linha>& linhas, const QString& secao) {
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const auto nome = nomeDaSecao(linhas[i].texto);
        if (!nome || !mesmoNome(*nome, secao))
            continue;
        qsizetype fim = i + 1;
        while (fim < linhas.size() && !nomeDaSecao(linhas[fim].texto))
            ++fim;
        return Trecho{i, fim};
    }
    return std::nullopt;
}

std::optional<qsizetype> localizarChave(const QList<Linha>& linhas, Trecho trecho, const QString& chave) {
    for (qsizetype i = trecho.cabecalho + 1; i < trecho.fim; ++i) {
        const auto entrada = entradaDaLinha(linhas[i].texto);
        if (entrada && mesmoNome(entrada->chave, chave))
            return i;
    }
    return std::nullopt;
}

QString lerConteudo(const QString& caminho, bool* lido = nullptr) {
    QFile arquivo(caminho);
    const bool aberto = arquivo.open(QIODevice::ReadOnly);
    if (lido)
        *lido = aberto;
    return aberto ? cp1252::decodificar(arquivo.readAll()) : QString();
}

QStringView semAspas(QStringView valor) {
    if (valor.size() >= 2 && (valor.front() == u'"' || valor.front() == u'\'') && valor.back() == valor.front())
        return valor.sliced(1, valor.size() - 2);
    return valor;
}

// 16 for anything that is no digit in any base used here.
int valorDoDigito(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 16;
}

std::optional<qint64> digitosNaBase(QStringView digitos, int base) {
    if (digitos.isEmpty())
        return std::nullopt;
    qint64 valor = 0;
    for (QChar c : digitos) {
        const int d = valorDoDigito(c.unicode());
        if (d >= base)
            return std::nullopt;
        valor = valor * base + d;
        // Far past any int: stop before a long run of digits overflows the sum.
        if (valor > qint64(std::numeric_limits<quint32>::max()))
            return std::nullopt;
    }
    return valor;
}

std::optional<int> converterInteiro(QStringView texto) {
    std::optional<qint64> valor;
    if (texto.startsWith(u'$')) {
        valor = digitosNaBase(texto.sliced(1), 16);
    } else if (texto.startsWith(u"0x") || texto.startsWith(u"0X")) {
        valor = digitosNaBase(texto.sliced(2), 16);
    } else {
        const bool negativo = texto.startsWith(u'-');
        const bool comSinal = negativo || texto.startsWith(u'+');
        valor = digitosNaBase(comSinal ? texto.sliced(1) : texto, 10);
        if (valor && negativo)
            valor = -*valor;
    }
    if (!valor || *valor > std::numeric_limits<int>::max() || *valor < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(*valor);
}

// A line break inside a value would end the line early and turn the rest into lines of their
// own (even a forged key); the value stays on its one line instead.
QString valorEmUmaLinha(QString valor) {
    valor.replace(u'\r', u' ');
    valor.replace(u'\n', u' ');
    return valor;
}

// Gives the line before the given index a line end, so that a line can follow it.
void fecharLinhaAnterior(QList<Linha>& linhas, qsizetype indice) {
    if (indice > 0 && linhas[indice - 1].fim.isEmpty())
        linhas[indice - 1].fim = kFimDeLinha;
}

void gravarNasLinhas(QList<Linha>& linhas, const QString& secao, const QString& chave, const QString& valor) {
    const auto trecho = localizarSecao(linhas, secao);
    if (!trecho) {
        fecharLinhaAnterior(linhas, linhas.size());
        linhas.append({u'[' + secao + u']', kFimDeLinha});
        linhas.append({chave + u'=' + valor, kFimDeLinha});
    } else if (const auto indice = localizarChave(linhas, *trecho, chave)) {
        // The key keeps the spelling the file gave it.
        Linha& linha = linhas[*indice];
        linha.texto = entradaDaLinha(linha.texto)->chave.toString() + u'=' + valor;
    } else {
        // New keys go after the section's last entry, not after the blank lines that part it
        // from the next section.
        qsizetype posicao = trecho->fim;
        while (posicao > trecho->cabecalho + 1 && semEspacos(linhas[posicao - 1].texto).isEmpty())
            --posicao;
        fecharLinhaAnterior(linhas, posicao);
        linhas.insert(posicao, {chave + u'=' + valor, kFimDeLinha});
    }
}

QString juntarLinhas(const QList<Linha>& linhas) {
    QString conteudo;
    for (const Linha& linha : linhas)
        conteudo += linha.texto + linha.fim;
    return conteudo;
}

}  // namespace

ArquivoIni::ArquivoIni(QString caminho) : m_caminho(std::move(caminho)) {}

QString ArquivoIni::lerTexto(const QString& secao, const QString& chave, const QString& padrao) const {
    const QList<Linha> linhas = separarLinhas(lerConteudo(m_caminho));
    const auto trecho = localizarSecao(linhas, secao);
    const auto indice = trecho ? localizarChave(linhas, *trecho, chave) : std::nullopt;
    if (!indice)
        return padrao;
    return semAspas(entradaDaLinha(linhas[*indice].texto)->valor).left(kTamanhoMaximoValor).toString();
}

int ArquivoIni::lerInteiro(const QString& secao, const QString& chave, int padrao) const {
    return converterInteiro(lerTexto(secao, chave, QString())).value_or(padrao);
}

void ArquivoIni::gravarTexto(const QString& secao, const QString& chave, const QString& valor) {
    const QFileInfo info(m_caminho);
    const auto recusar = [&info] {
        throw Erro(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(info.absoluteFilePath())));
    };
    // Windows refuses to change a read-only file, whoever asks; a rename over it would not.
    if (info.exists() && (!info.isFile() || !info.isWritable() || !info.permissions().testFlag(QFile::WriteOwner)))
        recusar();

    bool lido = false;
    QList<Linha> linhas = separarLinhas(lerConteudo(m_caminho, &lido));
    // A file that exists but cannot be read would be replaced by the one new key: refuse instead.
    if (info.exists() && !lido)
        recusar();

    gravarNasLinhas(linhas, secao, chave, valorEmUmaLinha(valor));
    const QByteArray bytes = cp1252::codificar(juntarLinhas(linhas));

    QSaveFile arquivo(m_caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(bytes) != bytes.size() || !arquivo.commit())
        recusar();
}

void ArquivoIni::gravarInteiro(const QString& secao, const QString& chave, int valor) {
    gravarTexto(secao, chave, QString::number(valor));
}
