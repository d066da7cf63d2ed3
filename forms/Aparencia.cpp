#include "Aparencia.h"

#include <QGroupBox>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

QFont FontePadrao() {
    QFont fonte;
    fonte.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    fonte.setPointSize(8);
    return fonte;
}

QFont FonteArial(int pontos, bool negrito) {
    QFont fonte;
    fonte.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    fonte.setPointSize(pontos);
    fonte.setBold(negrito);
    return fonte;
}

QFont FonteTahoma(int pontos) {
    QFont fonte;
    fonte.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    fonte.setPointSize(pontos);
    return fonte;
}

void Colorir(QWidget* controle, QPalette::ColorRole papel, const QColor& cor) {
    QPalette paleta = controle->palette();
    paleta.setColor(papel, cor);
    controle->setPalette(paleta);
}

void EstiloWindowsNosGrupos(QWidget* janela) {
    if (QStyle* estilo = QStyleFactory::create(QStringLiteral("Windows"))) {
        estilo->setParent(janela);
        for (auto* grupo : janela->findChildren<QGroupBox*>()) grupo->setStyle(estilo);
    }
}
