#include "PresencaDaVitrine.h"

#include <QEvent>

bool vitrine::ativa(const Presenca &p)
{
    return p.larga && p.colunaVisivel && p.temJanela && p.visibilidade != QWindow::Hidden
        && p.visibilidade != QWindow::Minimized && p.janelaAtiva && p.janelaExposta && !p.trabalhando;
}

void PresencaDaVitrine::definirJanela(QWindow *janela)
{
    if (janela == janela_)
        return;
    if (janela_) {
        janela_->removeEventFilter(this);
        disconnect(janela_, nullptr, this, nullptr);
    }
    janela_ = janela;
    if (janela_) {
        connect(janela_, &QWindow::visibilityChanged, this, &PresencaDaVitrine::reavaliar);
        connect(janela_, &QWindow::activeChanged, this, &PresencaDaVitrine::reavaliar);
        connect(janela_, &QObject::destroyed, this, [this] {
            janela_ = nullptr;
            reavaliar();
        });
        // Exposure has no signal of its own: the window's expose events tell it.
        janela_->installEventFilter(this);
    }
    emit janelaMudou();
    reavaliar();
}

void PresencaDaVitrine::definirLarga(bool larga)
{
    if (larga == larga_)
        return;
    larga_ = larga;
    emit entradasMudaram();
    reavaliar();
}

void PresencaDaVitrine::definirColunaVisivel(bool visivel)
{
    if (visivel == colunaVisivel_)
        return;
    colunaVisivel_ = visivel;
    emit entradasMudaram();
    reavaliar();
}

void PresencaDaVitrine::definirTrabalhando(bool trabalhando)
{
    if (trabalhando == trabalhando_)
        return;
    trabalhando_ = trabalhando;
    emit entradasMudaram();
    reavaliar();
}

bool PresencaDaVitrine::eventFilter(QObject *objeto, QEvent *evento)
{
    // Read once the window has handled the event, when `isExposed` says the new state.
    if (objeto == janela_ && evento->type() == QEvent::Expose)
        QMetaObject::invokeMethod(this, &PresencaDaVitrine::reavaliar, Qt::QueuedConnection);
    return QObject::eventFilter(objeto, evento);
}

void PresencaDaVitrine::reavaliar()
{
    vitrine::Presenca presenca;
    presenca.larga = larga_;
    presenca.colunaVisivel = colunaVisivel_;
    presenca.trabalhando = trabalhando_;
    if (QWindow *janela = janela_.data()) {
        presenca.temJanela = true;
        presenca.visibilidade = janela->visibility();
        presenca.janelaAtiva = janela->isActive();
        presenca.janelaExposta = janela->isExposed();
    }
    const bool agora = vitrine::ativa(presenca);
    if (agora == ativa_)
        return;
    ativa_ = agora;
    emit ativaMudou();
}
