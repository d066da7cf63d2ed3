// exportacao-quelvar: the export of the main window for scheduled and headless runs.
#include "Comando.h"
#include "Pedido.h"

#include <QGuiApplication>
#include <memory>

namespace {

// Reports need fonts, which come with a GUI application; other runs keep to a core one, which
// loads no platform plugin and writes nothing of its own on stderr. The choice has to be made
// before any application exists, so argv is read here for it alone (option names are ASCII,
// so the local encoding is enough) and in full by Executar.
bool pedeRelatorio(int argc, char** argv) {
    QStringList argumentos;
    for (int i = 1; i < argc; ++i) argumentos << QString::fromLocal8Bit(argv[i]);
    try {
        return LerPedido(argumentos).relatorio.has_value();
    } catch (const ErroDeUso&) {
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool relatorio = pedeRelatorio(argc, argv);
    // The command shows no window: unless the caller chose a platform it renders off screen,
    // so it also runs where there is no display.
    if (relatorio && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> aplicacao(relatorio ? new QGuiApplication(argc, argv)
                                                                : new QCoreApplication(argc, argv));
    return Executar(aplicacao->arguments().mid(1));
}
