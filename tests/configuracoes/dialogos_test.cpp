#include "Dialogos.h"
#include "Erro.h"

#include <QApplication>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class DialogosTeste : public ::testing::Test {
protected:
    void SetUp() override { Dialogos::Simular(true); }
    void TearDown() override { Dialogos::Simular(false); }

    static QString TituloDoPrograma() {
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
};

TEST_F(DialogosTeste, MensagemEscolheTituloEIconePeloTipo) {
    using I = Dialogos::Icone;
    const struct {
        int tipo;
        QString titulo;
        QString tituloMostrado;
        I icone;
    } casos[] = {
        {0, "", "Atenção", I::Aviso},
        {0, "Cuidado", "Cuidado", I::Aviso},
        {1, "", "Erro", I::Erro},
        {1, "Falha", "Falha", I::Erro},
        {2, "", "Informação", I::Informacao},
        {2, "Aviso", "Aviso", I::Informacao},
        {3, "", "", I::Nenhum},
        {48, "Outro", "Outro", I::Nenhum},
        {-1, "", "", I::Nenhum},
    };
    for (const auto& caso : casos) {
        Dialogos::Mostradas().clear();
        Mensagem(nullptr, "texto", caso.tipo, caso.titulo);
        ASSERT_EQ(Dialogos::Mostradas().size(), 1) << caso.tipo;
        const Dialogos::Mensagem& m = Dialogos::Mostradas().first();
        EXPECT_EQ(m.texto, "texto");
        EXPECT_EQ(m.titulo, caso.tituloMostrado) << "tipo " << caso.tipo;
        EXPECT_EQ(m.icone, caso.icone) << "tipo " << caso.tipo;
    }
}

TEST_F(DialogosTeste, MensagemSemTipoNemTituloEhUmAviso) {
    Mensagem(nullptr, "Informe o campo.");
    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    EXPECT_EQ(Dialogos::Mostradas().first().titulo, "Atenção");
    EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Aviso);
}

TEST_F(DialogosTeste, ErroGanhaPontoFinalQuandoOUltimoCaractereVemDepoisDoPonto) {
    const struct {
        QString texto;
        QString mostrado;
    } casos[] = {
        {"Falhou", "Falhou."},
        {"Erro 1045", "Erro 1045."},
        {"Arquivo em C:/saida/", "Arquivo em C:/saida/."},  // "/" sorts right after "."
        {"Não foi possível: ação", "Não foi possível: ação."},
        {"Já termina.", "Já termina."},
        {"Pergunta?", "Pergunta?."},                          // "?" sorts above "."
        {"Exclamação!", "Exclamação!"},
        {"Entre parênteses (x)", "Entre parênteses (x)"},
        {"Traço -", "Traço -"},
        {"Quebra\n", "Quebra\n"},
        {"", ""},
    };
    for (const auto& caso : casos) {
        Dialogos::Mostradas().clear();
        MostrarErro(nullptr, caso.texto);
        ASSERT_EQ(Dialogos::Mostradas().size(), 1);
        const Dialogos::Mensagem& m = Dialogos::Mostradas().first();
        EXPECT_EQ(m.texto, caso.mostrado);
        EXPECT_EQ(m.titulo, TituloDoPrograma());
        EXPECT_EQ(m.icone, Dialogos::Icone::Erro);
    }
}

TEST_F(DialogosTeste, ProtegidoMostraOErroQueEscapaEEncerraAAcao) {
    const struct {
        const char* nome;
        std::function<void()> falha;
        QString mostrado;
    } casos[] = {
        {"Erro", [] { throw Erro("Unable to write to /x/ExportacaoQuelvar.ini"); },
         "Unable to write to /x/ExportacaoQuelvar.ini."},
        {"ErroBanco", [] { throw ErroBanco("Table 't.filial' doesn't exist QMYSQL: Unable to execute query"); },
         "Table 't.filial' doesn't exist QMYSQL: Unable to execute query."},
        {"std::exception", [] { throw std::runtime_error("sem memória"); }, "sem memória."},
    };
    for (const auto& caso : casos) {
        Dialogos::Mostradas().clear();
        bool continuou = false;
        Protegido(nullptr, [&] {
            caso.falha();
            continuou = true;
        });
        EXPECT_FALSE(continuou) << caso.nome;
        ASSERT_EQ(Dialogos::Mostradas().size(), 1) << caso.nome;
        EXPECT_EQ(Dialogos::Mostradas().first().texto, caso.mostrado) << caso.nome;
        EXPECT_EQ(Dialogos::Mostradas().first().titulo, TituloDoPrograma());
        EXPECT_EQ(Dialogos::Mostradas().first().icone, Dialogos::Icone::Erro);
    }
}

TEST_F(DialogosTeste, ProtegidoSemErroNaoMostraNada) {
    bool executou = false;
    Protegido(nullptr, [&] { executou = true; });
    EXPECT_TRUE(executou);
    EXPECT_TRUE(Dialogos::Mostradas().isEmpty());
}

TEST_F(DialogosTeste, EscolhasPrecarregadasSaoUsadasUmaVezCadaEmOrdem) {
    Dialogos::ProximaPasta("/um");
    Dialogos::ProximaPasta("/dois");
    Dialogos::ProximoArquivo("/relatorio.pdf");
    EXPECT_EQ(Dialogos::EscolherPasta(nullptr, "Escolha"), "/um");
    EXPECT_EQ(Dialogos::EscolherPasta(nullptr, "Escolha"), "/dois");
    EXPECT_EQ(Dialogos::EscolherPasta(nullptr, "Escolha"), "") << "nothing preloaded means cancelled";
    EXPECT_EQ(Dialogos::EscolherArquivoParaSalvar(nullptr, "Salvar", "x.pdf", "*.pdf"), "/relatorio.pdf");
    EXPECT_EQ(Dialogos::EscolherArquivoParaSalvar(nullptr, "Salvar", "x.pdf", "*.pdf"), "");
}

TEST_F(DialogosTeste, LigarASimulacaoDeNovoComecaDoZero) {
    Mensagem(nullptr, "antiga");
    Dialogos::ProximaPasta("/sobrou");
    Dialogos::Simular(true);
    EXPECT_TRUE(Dialogos::Mostradas().isEmpty());
    EXPECT_EQ(Dialogos::EscolherPasta(nullptr, "Escolha"), "");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
