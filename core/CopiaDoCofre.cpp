#include "core/CopiaDoCofre.h"

#include "core/Configuracao.h"
#include "core/DiarioDaCopia.h"
#include "core/LeitorDaCopia.h"
#include "plataforma/ArquivoAtomico.h"
#include "plataforma/Conteiner.h"

#include <QFile>
#include <QFileInfo>

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
    // A journal that names its copy is not replayed over the new file, so it can go after the
    // write: a crash in between leaves the new state. One an older version began names none and
    // would be replayed over anything, bringing back older items: it goes first, leaving the old
    // copy, a whole earlier state.
    if (!DiarioDaCopia::nomeiaACopia())
        DiarioDaCopia::apagar();
    // Backup exclusion has no counterpart here; the atomic owner-only write is the protection.
    const bool gravou = ArquivoAtomico::gravar(folder + QLatin1Char('/') + nomeDoArquivo, copia.emBytes());
    if (gravou)
        DiarioDaCopia::apagar();
    return gravou;
}

void CopiaDoCofre::apagar()
{
    DiarioDaCopia::apagar();
    QFile::remove(arquivo());
}

std::optional<CopiaDoCofre> CopiaDoCofre::ler()
{
    std::optional<CopiaDoCofre> copia;
    // The file the journal must name, before and after the read: a copy replaced meanwhile may
    // be either one, and no journal is replayed over it.
    const std::optional<QString> marca = DiarioDaCopia::marcaDaCopia();
    try {
        // Mapped, not copied: the copy is only ever replaced whole. The writer's own layout is
        // read directly; anything else through the value tree.
        const bool lido = ArquivoAtomico::lerMapeado(arquivo(), [&copia](QByteArrayView bytes) {
            copia = LeitorDaCopia::lerDireto(bytes);
            if (!copia)
                copia = deJSON(Leitor(CodificacaoJSON::lerDocumento(bytes.toByteArray())));
        });
        if (!lido)
            return std::nullopt;
        if (const auto diario = ArquivoAtomico::ler(DiarioDaCopia::arquivo())) {
            if (marca == DiarioDaCopia::marcaDaCopia() && DiarioDaCopia::aplicar(*copia, *diario, marca))
                copia->diarioLido = diario->size();
        } else if (!QFileInfo::exists(DiarioDaCopia::arquivo())) {
            copia->diarioLido = 0;
        }
        return copia;
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    }
}

namespace {

void escreverChave(QByteArray &saida, const char *chave)
{
    saida += '"';
    saida += chave;
    saida += "\":";
}

// A sealed text as the value writer writes it. An envelope is printable ASCII with nothing to
// escape, so its bytes go in as they are; anything else goes through the writer.
void escreverSelado(QByteArray &saida, const TextoSelado &texto)
{
    if (texto.compacto()) { // written back as the base64url text it was read from
        saida += '"';
        texto.acrescentarEm(saida);
        saida += '"';
        return;
    }
    const QByteArray bytes = texto.utf8();
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x80 || c == '"' || c == '\\') {
            ValorJSON::escreverTextoEm(saida, texto.texto());
            return;
        }
    }
    saida += '"';
    saida += bytes;
    saida += '"';
}

// One item as ItemCifrado::paraJSON writes it, without building the value tree first.
void escreverItem(QByteArray &saida, const ItemCifrado &item)
{
    saida += '{';
    escreverChave(saida, "id");
    ValorJSON::escreverTextoEm(saida, item.id);
    saida += ',';
    escreverChave(saida, "tipo");
    ValorJSON::escreverTextoEm(saida, valorBruto(item.tipo));
    if (item.dados) {
        saida += ',';
        escreverChave(saida, "dados");
        escreverSelado(saida, *item.dados);
    }
    saida += ',';
    escreverChave(saida, "revisao");
    ValorJSON::escreverInteiroEm(saida, item.revisao);
    saida += ',';
    escreverChave(saida, "criadoEm");
    ValorJSON::escreverTextoEm(saida, item.criadoEm);
    saida += ',';
    escreverChave(saida, "atualizadoEm");
    ValorJSON::escreverTextoEm(saida, item.atualizadoEm);
    if (item.apagadoEm) {
        saida += ',';
        escreverChave(saida, "apagadoEm");
        ValorJSON::escreverTextoEm(saida, *item.apagadoEm);
    }
    saida += '}';
}

} // namespace

QByteArray CopiaDoCofre::emBytes() const
{
    // The vault's items make up nearly all of the file: they are written straight into one buffer
    // sized up front, with the same text the value writer gives.
    qsizetype estimativa = 256;
    for (const ItemCifrado &item : itens)
        estimativa += 160 + item.id.size() + (item.dados ? item.dados->size() : 0);
    QByteArray saida;
    saida.reserve(estimativa);
    saida += '{';
    escreverChave(saida, "versao");
    saida += "1,";
    escreverChave(saida, "conta");
    saida += CodificacaoJSON::escreverDocumento(conta.paraJSON());
    saida += ',';
    escreverChave(saida, "revisao");
    ValorJSON::escreverInteiroEm(saida, revisao);
    saida += ',';
    escreverChave(saida, "itens");
    saida += '[';
    for (qsizetype i = 0; i < itens.size(); ++i) {
        if (i > 0)
            saida += ',';
        escreverItem(saida, itens[i]);
    }
    saida += "]}";
    return saida;
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
