#include "ApoioRelatorio.h"
#include "RelatoriosCupons.h"

#include <gtest/gtest.h>

namespace {

constexpr double kEscala = 4.0;  // pixels per unit: about 384 dpi
const double kMargem = 10 * kUnidadesPorMm;

// The inked part (darker than mid grey) of a rectangle given in report units; null when blank.
QRectF tinta(const QImage& imagem, const QRectF& area) {
    const QRect pixels = QRectF(area.topLeft() * kEscala, area.size() * kEscala).toAlignedRect() & imagem.rect();
    int esquerda = INT_MAX, direita = -1, topo = INT_MAX, base = -1;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            if (qGray(imagem.pixel(x, y)) < 128) {
                esquerda = std::min(esquerda, x);
                direita = std::max(direita, x);
                topo = std::min(topo, y);
                base = std::max(base, y);
            }
        }
    }
    if (direita < 0)
        return {};
    return QRectF(esquerda / kEscala, topo / kEscala, (direita - esquerda + 1) / kEscala, (base - topo + 1) / kEscala);
}

class Pintura : public ::testing::Test {
protected:
    Pintura() {
        Relatorio relatorio(ModeloRelPromed());
        PrepararRelatorio(relatorio, QDate(2024, 5, 1), QDate(2024, 5, 31),
                          TabelaCupons({
                              {"123", "ANA", QStringLiteral("0042"), 7, QDateTime(QDate(2024, 5, 2), QTime(9, 15, 30)), "10.5"},
                              {"456", QString(80, u'W'), QStringLiteral("0007"), 8, QDateTime(QDate(2024, 5, 3), QTime(8, 0)), "1"},
                          }));
        preparado = relatorio.preparado();
        imagem = Renderizar(*preparado, 0, kEscala);
    }

    const FaixaPagina& faixa(TipoBanda tipo, int indice = 0) const {
        int n = 0;
        for (const FaixaPagina& f : preparado->paginas[0].faixas) {
            if (f.tipo == tipo && n++ == indice)
                return f;
        }
        throw std::runtime_error("band not found");
    }

    std::shared_ptr<const RelatorioPreparado> preparado;
    QImage imagem;
};

// Each text sits in its box as the layout aligns it (with the box's 2-unit inner gap).
TEST_F(Pintura, TextosSeguemOAlinhamentoDeCadaCaixa) {
    QList<ItemPagina> itens;
    for (TipoBanda tipo : {TipoBanda::CabecalhoPagina, TipoBanda::CabecalhoColunas, TipoBanda::Dados, TipoBanda::Rodape}) {
        for (const ItemPagina& item : faixa(tipo).itens) {
            if (item.tipo == ObjetoRelatorio::Tipo::Texto && !item.texto.isEmpty())
                itens.append(item);
        }
    }
    ASSERT_EQ(itens.size(), 3 + 6 + 6 + 2);
    for (const ItemPagina& item : itens) {
        const QRectF t = tinta(imagem, item.caixa);
        ASSERT_FALSE(t.isNull()) << item.texto.toStdString();
        EXPECT_TRUE(item.caixa.contains(t)) << item.texto.toStdString();
        if (item.alinhamento & Qt::AlignRight)
            EXPECT_NEAR(t.right(), item.caixa.right() - 2, 4) << item.texto.toStdString();
        else if (item.alinhamento & Qt::AlignHCenter)
            EXPECT_NEAR(t.center().x(), item.caixa.center().x(), 2) << item.texto.toStdString();
        else
            EXPECT_NEAR(t.left(), item.caixa.left() + 2, 2) << item.texto.toStdString();
        if (item.alinhamento & Qt::AlignVCenter)
            EXPECT_NEAR(t.center().y(), item.caixa.center().y(), 3) << item.texto.toStdString();
    }
}

// "Página 1 de 1 " keeps its trailing blank: the text ends a blank's width before the edge.
TEST_F(Pintura, BrancoFinalDoContadorContaNoAlinhamento) {
    const ItemPagina& contador = faixa(TipoBanda::CabecalhoPagina).itens[2];
    const QRectF t = tinta(imagem, contador.caixa);
    EXPECT_GT(contador.caixa.right() - 2 - t.right(), 2.0);
}

// Glyphs reach a little below the inner gap of their box; only the box itself may cut them.
TEST_F(Pintura, OTituloNaoPerdeABaseDasLetras) {
    for (double escala : {1.0, 1.25, 0.8, 4.0}) {
        const QImage tela = Renderizar(*preparado, 0, escala);
        const ItemPagina& titulo = faixa(TipoBanda::CabecalhoPagina).itens[0];
        const QRect pixels = QRectF(titulo.caixa.topLeft() * escala, titulo.caixa.size() * escala).toAlignedRect();
        int base = -1;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                if (qGray(tela.pixel(x, y)) < 250)
                    base = y;
            }
        }
        // "Relatório PROMED": round letters overshoot the baseline, 1 + 17.2 units down the box.
        EXPECT_GE(base, int((titulo.caixa.top() + 1 + 17.2) * escala)) << escala;
    }
}

TEST_F(Pintura, TextoLongoECortadoNaPropriaCaixa) {
    const FaixaPagina& linha = faixa(TipoBanda::Dados, 1);
    const QRectF nome = linha.itens[1].caixa;
    const QRectF filial = linha.itens[2].caixa;
    EXPECT_FALSE(tinta(imagem, nome).isNull());
    // Between the name's right edge and where the branch code's text could begin: blank.
    const QRectF vao(nome.right() + 0.5, linha.topo, filial.left() + 2 - nome.right() - 1, linha.altura);
    EXPECT_TRUE(tinta(imagem, vao).isNull());
}

TEST_F(Pintura, RegrasAtravessamAPagina) {
    for (TipoBanda tipo : {TipoBanda::CabecalhoPagina, TipoBanda::Rodape}) {
        const FaixaPagina& f = faixa(tipo);
        const auto regra = std::find_if(f.itens.begin(), f.itens.end(),
                                        [](const ItemPagina& i) { return i.tipo == ObjetoRelatorio::Tipo::Regra; });
        ASSERT_NE(regra, f.itens.end());
        const QRectF t = tinta(imagem, regra->caixa.adjusted(-1, -1, 1, 1));
        EXPECT_NEAR(t.left(), kMargem, 0.5);
        EXPECT_NEAR(t.right(), kMargem + 721.89, 0.5);
        EXPECT_LE(t.height(), 1.5);
    }
}

}  // namespace
