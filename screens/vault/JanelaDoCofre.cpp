#include "JanelaDoCofre.h"

#include "SecaoDoMac.h"
#include "state/EstadoDoApp.h"

#include <QVariantMap>

JanelaDoCofre::JanelaDoCofre(QObject *pai) : QObject(pai), secao_(valorBruto(SecaoDoMac::codigos))
{
    connect(this, &JanelaDoCofre::edicaoMudou, this, &JanelaDoCofre::folhaAbertaMudou);
    connect(this, &JanelaDoCofre::entrandoDeNovoMudou, this, &JanelaDoCofre::folhaAbertaMudou);
}

void JanelaDoCofre::definirSecao(const QString &secao)
{
    if (secao_ == secao)
        return;
    const QString antes = secaoMostrada();
    secao_ = secao;
    if (secaoMostrada() != antes)
        definirBusca(QString());
    emit secaoMudou();
}

QString JanelaDoCofre::secaoMostrada() const { return valorBruto(secaoOuCodigos(secao_)); }

int JanelaDoCofre::posicaoMostrada() const
{
    const SecaoDoMac mostrada = secaoOuCodigos(secao_);
    int posicao = 0;
    for (const SecaoDoMac secao : todasAsSecoes) {
        if (secao == mostrada)
            return posicao;
        ++posicao;
    }
    return 0;
}

void JanelaDoCofre::definirBusca(const QString &busca)
{
    if (busca_ == busca)
        return;
    busca_ = busca;
    emit buscaMudou();
}

void JanelaDoCofre::definirEntrandoDeNovo(bool valor)
{
    if (entrandoDeNovo_ == valor)
        return;
    entrandoDeNovo_ = valor;
    emit entrandoDeNovoMudou();
}

void JanelaDoCofre::novoItem() { novoItemDoTipo(valorBruto(tipoNovo(secaoOuCodigos(secao_)))); }

void JanelaDoCofre::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    if (estado_)
        disconnect(estado_, nullptr, this, nullptr);
    estado_ = estado;
    if (estado_)
        connect(estado_, &EstadoDoApp::edicaoMudou, this, &JanelaDoCofre::edicaoMudou);
    emit estadoMudou();
    emit edicaoMudou();
}

QVariant JanelaDoCofre::edicao() const
{
    if (!estado_)
        return edicao_;
    const std::optional<EdicaoNoMac> &edicao = estado_->edicao();
    if (!edicao)
        return {};
    return QVariantMap{{QStringLiteral("tipo"), edicao->nomeDoTipo()},
                       {QStringLiteral("id"), edicao->item ? QVariant(*edicao->item) : QVariant::fromValue(nullptr)}};
}

void JanelaDoCofre::novoItemDoTipo(const QString &tipo)
{
    if (!tipoDeItem(tipo))
        return;
    if (estado_) {
        estado_->editar(tipo);
        return;
    }
    definirEdicao(QVariantMap{{QStringLiteral("tipo"), tipo}, {QStringLiteral("id"), QVariant::fromValue(nullptr)}});
}

void JanelaDoCofre::editar(const QString &tipo, const QString &id)
{
    if (!tipoDeItem(tipo))
        return;
    if (estado_) {
        estado_->editar(tipo, id);
        return;
    }
    definirEdicao(QVariantMap{{QStringLiteral("tipo"), tipo}, {QStringLiteral("id"), id}});
}

void JanelaDoCofre::fecharEdicao()
{
    if (estado_)
        estado_->fecharEdicao();
    else
        definirEdicao(QVariant());
}

void JanelaDoCofre::definirEdicao(const QVariant &edicao)
{
    // As the state's: an open sheet is closed before another opens.
    if (edicao_ == edicao || (edicao_.isValid() && edicao.isValid()))
        return;
    edicao_ = edicao;
    emit edicaoMudou();
}
