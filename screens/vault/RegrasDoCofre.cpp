#include "RegrasDoCofre.h"

#include "RegrasDoCodigo.h"
#include "SecaoDoMac.h"

#include "servicos/Seguranca.h"
#include "servicos/TextosDoComputador.h"
#include "core/Totp.h"

#include <algorithm>

QStringList RegrasDoCofre::secoes()
{
    QStringList lista;
    for (const SecaoDoMac s : todasAsSecoes)
        lista << valorBruto(s);
    return lista;
}

// The Mac writes the shortcut "⌘F"; this computer's keyboards have no Command key, and the
// search field answers Ctrl+F, so its hint says that.
QString RegrasDoCofre::atalhoDaBusca() { return QStringLiteral("Ctrl+F"); }

QString RegrasDoCofre::mensagemDeSaida()
{
    return noComputador(u"Os dados deste Mac serão apagados. Seus itens continuam na conta.");
}

QString RegrasDoCofre::simboloDoPortao() { return ::simbolo(tipoDeBiometria()); }

QString RegrasDoCofre::textoDoPortao()
{
    return QStringLiteral("Senhas e notas pedem ") + nomeComArtigo(tipoDeBiometria()) +
           QStringLiteral(" de novo depois de um tempo longe.");
}

QString RegrasDoCofre::botaoDoPortao() { return QStringLiteral("Mostrar com ") + nome(tipoDeBiometria()); }

QString RegrasDoCofre::secao(const QString &secao) { return valorBruto(secaoOuCodigos(secao)); }
QString RegrasDoCofre::titulo(const QString &secao) { return ::titulo(secaoOuCodigos(secao)); }
QString RegrasDoCofre::simbolo(const QString &secao) { return ::simbolo(secaoOuCodigos(secao)); }
QString RegrasDoCofre::dica(const QString &secao) { return dicaDaBusca(secaoOuCodigos(secao)); }
QString RegrasDoCofre::rotuloDeAdicionar(const QString &secao) { return ::rotuloDeAdicionar(secaoOuCodigos(secao)); }
QString RegrasDoCofre::subtitulo(const QString &secao, qint64 total) { return ::subtitulo(secaoOuCodigos(secao), total); }

QString RegrasDoCofre::faixa(bool precisaEntrarDeNovo, int ilegiveis)
{
    if (precisaEntrarDeNovo)
        return QStringLiteral("entrarDeNovo");
    return ilegiveis > 0 ? QStringLiteral("itensIlegiveis") : QString();
}

QString RegrasDoCofre::textoDaFaixa(const QString &faixa, int ilegiveis)
{
    if (faixa == QLatin1String("entrarDeNovo"))
        return noComputador(u"Sessão encerrada neste Mac");
    if (ilegiveis == 1)
        return noComputador(u"1 item ainda não abriu neste Mac");
    return QString::number(ilegiveis) + noComputador(u" itens ainda não abriram neste Mac");
}

int RegrasDoCofre::colunas(double largura) { return RegrasDoCodigo::colunas(largura); }
double RegrasDoCofre::larguraDaColuna(double largura) { return RegrasDoCodigo::larguraDaColuna(largura); }
QString RegrasDoCofre::nadaEncontrado(const QString &busca) { return RegrasDoCodigo::nadaEncontrado(busca); }

qint64 RegrasDoCofre::restantes(qint64 periodo, const QDateTime &agora)
{
    return Totp::segundosRestantes(std::max<qint64>(1, periodo), agora);
}

double RegrasDoCofre::fracao(qint64 periodo, const QDateTime &agora)
{
    return double(restantes(periodo, agora)) / double(std::max<qint64>(1, periodo));
}

bool RegrasDoCofre::acabando(qint64 periodo, const QDateTime &agora)
{
    return restantes(periodo, agora) < RegrasDoCodigo::ultimosSegundos;
}
