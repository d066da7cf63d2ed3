#include "Programa.h"

#include "Dialogos.h"
#include "Erro.h"
#include "Geracao.h"
#include "UDados.h"
#include "UFMain.h"

#include <QApplication>

int ExecutarPrograma() {
    try {
        TDadosExportacao::Conectar();
    } catch (const Erro& erro) {
        Dialogos::Mostrar(nullptr, MensagemFalhaConexao(erro.texto()), "Falha", Dialogos::Icone::Aviso);
        return 0;
    }
    TFMain janela;
    janela.show();
    QApplication::exec();
    return 0;
}
