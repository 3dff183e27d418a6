#include "core/CopiaDoCofre.h"

#include "core/Configuracao.h"
#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"

#include <QFile>

namespace {

const QString nomeDoArquivo = QStringLiteral("cofre.json");

} // namespace

QString CopiaDoCofre::pasta()
{
    if (auto suporte = Conteiner::suporteDoApp(grupoDoApp()))
        return *suporte;
    return Conteiner::pastaDeDados();
}

QString CopiaDoCofre::arquivo()
{
    return pasta() + QLatin1Char('/') + nomeDoArquivo;
}

bool CopiaDoCofre::salvar(const CopiaDoCofre &copia)
{
    const QString folder = pasta();
    if (!ArquivoAtomico::criarPastaProtegida(folder))
        return false;
    // Backup exclusion has no counterpart here; the atomic owner-only write is the protection.
    return ArquivoAtomico::gravar(folder + QLatin1Char('/') + nomeDoArquivo,
                                 CodificacaoJSON::escreverDocumento(copia.paraJSON()));
}

void CopiaDoCofre::apagar()
{
    QFile::remove(arquivo());
}

std::optional<CopiaDoCofre> CopiaDoCofre::ler()
{
    const auto bytes = ArquivoAtomico::ler(arquivo());
    if (!bytes)
        return std::nullopt;
    try {
        return deJSON(Leitor(CodificacaoJSON::lerDocumento(*bytes)));
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    }
}

CopiaDoCofre CopiaDoCofre::deJSON(const Leitor &leitor)
{
    CopiaDoCofre copia;
    copia.versao = leitor.exigirInteiro<qint64>(QStringLiteral("versao"));
    copia.conta = Conta::deJSON(leitor.exigirObjeto(QStringLiteral("conta")));
    copia.revisao = leitor.exigirInteiro<qint64>(QStringLiteral("revisao"));
    copia.itens = leitor.exigirLista(QStringLiteral("itens"),
                                     [](const Leitor &item) { return ItemCifrado::deJSON(item); });
    return copia;
}

ValorJSON CopiaDoCofre::paraJSON() const
{
    return Escritor()
        .inteiro(QStringLiteral("versao"), 1)
        .valor(QStringLiteral("conta"), conta.paraJSON())
        .inteiro(QStringLiteral("revisao"), revisao)
        .lista(QStringLiteral("itens"), itens, [](const ItemCifrado &item) { return item.paraJSON(); })
        .valorPronto();
}
