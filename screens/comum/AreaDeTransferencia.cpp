#include "screens/comum/AreaDeTransferencia.h"

#include <QGuiApplication>

#include <algorithm>

using namespace std::chrono;

AreaDeTransferencia::AreaDeTransferencia(QClipboard *area, Relogio &relogio, QObject *pai)
    : QObject(pai), area_(area ? area : QGuiApplication::clipboard()), relogio_(relogio),
      contagem_(relogio.novaContagem(this))
{
    connect(contagem_, &Contagem::terminou, this, &AreaDeTransferencia::conferirPrazo);
    // The selection's changes are not ours to count.
    if (area_)
        connect(area_, &QClipboard::changed, this, &AreaDeTransferencia::mudou);
}

void AreaDeTransferencia::mudou(QClipboard::Mode modo)
{
    if (modo != QClipboard::Clipboard)
        return;
    ++contagemDeMudancas_;
    // Once somebody else's content is there, our copy is gone for good, even if the platform
    // later hands back a stale pointer.
    if (nossa_ && !aindaENossa()) {
        nossa_.clear();
        contagem_->parar();
    }
    emit contagemDeMudancasMudou();
}

bool AreaDeTransferencia::aindaENossa() const
{
    if (!area_ || !nossa_ || area_->mimeData(QClipboard::Clipboard) != nossa_.data())
        return false;
    // Where the platform reports ownership, losing it means another program took the clipboard.
    return !eraDona_ || area_->ownsClipboard();
}

void AreaDeTransferencia::copiarProtegido(const QString &texto)
{
    if (!area_)
        return;
    auto *dados = new QMimeData;
    dados->setText(texto);
    dados->setData(QString::fromLatin1(tipoDaMarca), QByteArrayLiteral("secret"));
    // Replaces the whole content at once (no separate clear: a manager might record the gap).
    // The previous copy, if any, is deleted by the clipboard here and its pointer clears itself.
    nossa_.clear();
    area_->setMimeData(dados, QClipboard::Clipboard);
    nossa_ = dados;
    eraDona_ = area_->ownsClipboard();
    prazoFinal_ = relogio_.agora().addMSecs(duration_cast<milliseconds>(prazo).count());
    decorrido_ = milliseconds{0};
    armar(passo);
}

void AreaDeTransferencia::armar(milliseconds espera)
{
    passoArmado_ = espera;
    contagem_->iniciar(espera);
}

void AreaDeTransferencia::conferirPrazo()
{
    if (!aindaENossa())
        return;
    decorrido_ += passoArmado_;
    const milliseconds faltam{relogio_.agora().msecsTo(prazoFinal_)};
    if (faltam > milliseconds{0} && decorrido_ < prazo) {
        armar(std::min<milliseconds>({passo, faltam, prazo - decorrido_}));
        return;
    }
    nossa_.clear();
    area_->clear(QClipboard::Clipboard);
}

AreaDeTransferencia &AreaDeTransferencia::doProcesso()
{
    static AreaDeTransferencia *instancia = new AreaDeTransferencia(nullptr, Relogio::doSistema(), QCoreApplication::instance());
    return *instancia;
}

void copiarProtegido(const QString &texto)
{
    AreaDeTransferencia::doProcesso().copiarProtegido(texto);
}
