#include "FocoQueSaiAoClicarFora.h"

#include <QMouseEvent>
#include <QQuickWindow>

void FocoQueSaiAoClicarFora::definirAlvo(QQuickItem *alvo)
{
    if (alvo_ == alvo)
        return;
    if (alvo_)
        disconnect(alvo_, nullptr, this, nullptr);
    alvo_ = alvo;
    if (alvo_)
        connect(alvo_, &QQuickItem::windowChanged, this, &FocoQueSaiAoClicarFora::vigiar);
    vigiar(alvo_ ? alvo_->window() : nullptr);
    emit alvoMudou();
}

void FocoQueSaiAoClicarFora::definirArea(QQuickItem *area)
{
    if (area_ == area)
        return;
    area_ = area;
    emit areaMudou();
}

void FocoQueSaiAoClicarFora::vigiar(QQuickWindow *janela)
{
    if (janela_ == janela)
        return;
    if (janela_)
        janela_->removeEventFilter(this);
    janela_ = janela;
    if (janela_)
        janela_->installEventFilter(this);
}

bool FocoQueSaiAoClicarFora::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::MouseButtonPress && alvo_ && alvo_->hasActiveFocus()) {
        const auto *clique = static_cast<QMouseEvent *>(evento);
        QQuickItem *dentro = area_ ? area_.data() : alvo_.data();
        if (!dentro->contains(dentro->mapFromScene(clique->scenePosition())))
            alvo_->setFocus(false);
    }
    return QObject::eventFilter(objeto, evento);
}
