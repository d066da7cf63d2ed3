#include "Formatos.h"

#include "Cp1252.h"
#include "Grade.h"

namespace {

constexpr int kEspacoEntreColunas = 2;

QString textoDaCelula(const CelulaGrade& celula) {
    QString texto = celula.item.texto;
    texto.replace(u'\r', u' ').replace(u'\n', u' ');
    return texto;
}

template <typename Funcao>
void paraCadaCelula(const Grade& grade, Funcao funcao) {
    for (const QList<LinhaGrade>& pagina : grade.paginas) {
        for (const LinhaGrade& linha : pagina) {
            for (const CelulaGrade& celula : linha.celulas)
                funcao(celula);
        }
    }
}

// Fixed character columns: each as wide as its longest text; a text over several columns
// widens the last of them when it needs more. Columns that never hold a character are left out.
class Colunas {
public:
    explicit Colunas(const Grade& grade) : m_usada(grade.larguras.size(), false), m_largura(grade.larguras.size(), 0) {
        paraCadaCelula(grade, [&](const CelulaGrade& c) {
            if (!textoDaCelula(c).trimmed().isEmpty()) {
                for (int i = c.primeira; i <= c.ultima; ++i)
                    m_usada[i] = true;
            }
        });
        paraCadaCelula(grade, [&](const CelulaGrade& c) {
            if (c.primeira == c.ultima)
                m_largura[c.primeira] = std::max(m_largura[c.primeira], int(textoDaCelula(c).size()));
        });
        paraCadaCelula(grade, [&](const CelulaGrade& c) {
            const int falta = int(textoDaCelula(c).size()) - largura(c.primeira, c.ultima);
            const int ultima = ultimaUsada(c.primeira, c.ultima);
            if (falta > 0 && ultima >= 0)
                m_largura[ultima] += falta;
        });
        int posicao = 0;
        for (int i = 0; i < m_largura.size(); ++i) {
            m_inicio.append(posicao);
            if (m_usada[i])
                posicao += m_largura[i] + kEspacoEntreColunas;
        }
    }

    int inicio(int coluna) const { return m_inicio[coluna]; }
    // The characters from the first used column of the span to the end of its last.
    int largura(int primeira, int ultima) const {
        int total = -kEspacoEntreColunas;
        for (int i = primeira; i <= ultima; ++i) {
            if (m_usada[i])
                total += m_largura[i] + kEspacoEntreColunas;
        }
        return std::max(total, 0);
    }

private:
    int ultimaUsada(int primeira, int ultima) const {
        for (int i = ultima; i >= primeira; --i) {
            if (m_usada[i])
                return i;
        }
        return -1;
    }

    QList<bool> m_usada;
    QList<int> m_largura;
    QList<int> m_inicio;
};

QString alinhar(const QString& texto, int largura, Qt::Alignment alinhamento) {
    const int sobra = std::max(0, largura - int(texto.size()));
    const int esquerda = alinhamento & Qt::AlignRight ? sobra : alinhamento & Qt::AlignHCenter ? sobra / 2 : 0;
    return QString(esquerda, u' ') + texto;
}

QString montarLinha(const LinhaGrade& linha, const Colunas& colunas) {
    QString texto;
    for (const CelulaGrade& celula : linha.celulas) {
        const int inicio = colunas.inicio(celula.primeira);
        if (texto.size() < inicio)
            texto += QString(inicio - texto.size(), u' ');
        texto += alinhar(textoDaCelula(celula), colunas.largura(celula.primeira, celula.ultima),
                         celula.item.alinhamento);
    }
    // Trailing blanks carry nothing in a text file.
    while (texto.endsWith(u' '))
        texto.chop(1);
    return texto;
}

}  // namespace

QByteArray GerarTexto(const RelatorioPreparado& relatorio) {
    const Grade grade = MontarGrade(relatorio);
    const Colunas colunas(grade);
    QByteArray resultado;
    for (const QList<LinhaGrade>& pagina : grade.paginas) {
        for (const LinhaGrade& linha : pagina) {
            const QString texto = montarLinha(linha, colunas);
            if (!texto.isEmpty())
                resultado += cp1252::codificar(texto) + "\r\n";
        }
    }
    return resultado;
}
