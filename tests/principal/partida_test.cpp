// Start-up when the database refuses the connection: one "Falha" box, then the end, no window.
#include "BancoTeste.h"
#include "Dialogos.h"
#include "Programa.h"
#include "UDados.h"

#include <QApplication>
#include <gtest/gtest.h>

TEST(Partida, ConexaoRecusadaMostraFalhaETermina) {
    const PastaConfiguracaoTeste pasta;
    pasta.escreverArquivo("sistema_zuv.ini", "[ip]\r\nlocal=" + ServidorTeste::host().toLatin1() +
                                                 ":1\r\ndatabase=erp\r\n");
    Dialogos::Simular(true);
    Dialogos::Mostradas().clear();

    EXPECT_EQ(ExecutarPrograma(), 0);

    ASSERT_EQ(Dialogos::Mostradas().size(), 1);
    const Dialogos::Mensagem& m = Dialogos::Mostradas().first();
    EXPECT_EQ(m.titulo, "Falha");
    EXPECT_EQ(m.icone, Dialogos::Icone::Aviso);
    const QString inicio = QString::fromUtf8("Erro ao conectar com o banco de dados.\r\nDescrição do Erro: ");
    ASSERT_TRUE(m.texto.startsWith(inicio)) << m.texto.toStdString();
    EXPECT_GT(m.texto.size(), inicio.size());  // the driver's own reason follows
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_FALSE(TDadosExportacao::GetConexao().isOpen());
}

int main(int c, char** v) {
    QApplication a(c, v);
    ::testing::InitGoogleTest(&c, v);
    return RUN_ALL_TESTS();
}
