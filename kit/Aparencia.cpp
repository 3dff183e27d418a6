#include "kit/Aparencia.h"

#include "kit/Paleta.h"
#include "servicos/PoolDeTrabalho.h"

#include <QGuiApplication>
#include <QPalette>
#include <QQuickStyle>

void Aparencia::preparar()
{
    // The windows set their own light palette; the style must be one that honours it.
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // The same light colours for what is not a Qt Quick window (the owner prompt), whatever the
    // desktop's theme hands the application.
    QPalette clara(Paleta::superficie(), Paleta::fundo());
    for (auto papel : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        clara.setColor(papel, Paleta::texto());
    clara.setColor(QPalette::Base, Paleta::superficie());
    clara.setColor(QPalette::Highlight, Paleta::azul());
    clara.setColor(QPalette::HighlightedText, Qt::white);
    clara.setColor(QPalette::PlaceholderText, Paleta::textoApagado());
    QGuiApplication::setPalette(clara);
    // Large fills painted on one of Qt's pool threads rather than sliced over all of them: the
    // windows repaint small regions often, and the wake-ups cost more than the painting.
    PoolDeTrabalho::limitarPinturaEmFios();
}
