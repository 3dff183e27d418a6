#include "ContagemDoCofre.h"

#include "SecaoDoMac.h"

void ContagemDoCofre::definirCofre(Cofre *cofre)
{
    if (cofre_ == cofre)
        return;
    disconnect(ligacao_);
    disconnect(ligacaoDosIlegiveis_);
    cofre_ = cofre;
    if (cofre_) {
        ligacao_ = connect(cofre_, &Cofre::abertosMudou, this, &ContagemDoCofre::contar);
        ligacaoDosIlegiveis_ = connect(cofre_, &Cofre::ilegiveisMudou, this, &ContagemDoCofre::contar);
    }
    contar();
    emit cofreMudou();
}

QVariantMap ContagemDoCofre::totais() const
{
    QVariantMap mapa;
    for (const SecaoDoMac secao : todasAsSecoes)
        mapa.insert(valorBruto(secao), total(valorBruto(secao)));
    return mapa;
}

int ContagemDoCofre::total(const QString &secao) const
{
    switch (secaoOuCodigos(secao)) {
    case SecaoDoMac::codigos:
        return codigos_;
    case SecaoDoMac::senhas:
        return senhas_;
    case SecaoDoMac::notas:
        return notas_;
    }
    return 0;
}

void ContagemDoCofre::contar()
{
    int codigos = 0;
    int senhas = 0;
    int notas = 0;
    const int ilegiveis = cofre_ ? int(cofre_->ilegiveis().size()) : 0;
    if (cofre_) {
        for (const ItemAberto &item : cofre_->abertos()) {
            switch (item.conteudo.tipo()) {
            case TipoDeItem::codigo:
                ++codigos;
                break;
            case TipoDeItem::senha:
                ++senhas;
                break;
            case TipoDeItem::nota:
                ++notas;
                break;
            }
        }
    }
    if (codigos == codigos_ && senhas == senhas_ && notas == notas_ && ilegiveis == ilegiveis_)
        return;
    ilegiveis_ = ilegiveis;
    codigos_ = codigos;
    senhas_ = senhas;
    notas_ = notas;
    emit contagemMudou();
}
