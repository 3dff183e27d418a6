// Fuzzes the item-content JSON parser: it must never crash or read out of bounds, every refusal is
// "json-invalido", and whatever it accepts must write, parse and write again to the same bytes, as
// must the same value with its texts made again in memory.
// The strict reader of records accepts a subset of it, with equal values, and reads back whatever
// the writer wrote. Accepted documents are also fed to the account decoder, whose round trip must
// be exact.
#include "core/Conta.h"
#include "core/ErroDeCripto.h"
#include "core/ValorJSON.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

// The value with every text made again from its QString: held in the same form as the text read,
// so it must write the same bytes and compare equal.
ValorJSON refeito(const ValorJSON &valor)
{
    if (const auto texto = valor.comoTexto()) {
        ValorJSON outro = ValorJSON::texto(*texto);
        if ((outro.textoEmUTF8() != nullptr) != (valor.textoEmUTF8() != nullptr))
            std::abort();
        return outro;
    }
    if (const QList<ValorJSON> *lista = valor.comoLista()) {
        QList<ValorJSON> elementos;
        for (const ValorJSON &elemento : *lista)
            elementos.append(refeito(elemento));
        return ValorJSON::lista(std::move(elementos));
    }
    if (const ObjetoJSON *objeto = valor.comoObjeto()) {
        ObjetoJSON outro = *objeto;
        for (ParJSON &par : outro.pares)
            par.valor = refeito(par.valor);
        return ValorJSON::objeto(std::move(outro));
    }
    return valor;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    // No copy: a read past the end hits the fuzzer's exactly-sized buffer and is reported.
    const QByteArray entrada = QByteArray::fromRawData(reinterpret_cast<const char *>(dados),
                                                       static_cast<qsizetype>(tamanho));
    std::optional<ValorJSON> estrito;
    try {
        estrito = ValorJSON::lerEstrito(entrada);
    } catch (const ErroDeCripto &erro) {
        if (erro.codigo != QLatin1String("json-invalido"))
            std::abort();
    }
    ValorJSON valor;
    try {
        valor = ValorJSON::ler(entrada);
    } catch (const ErroDeCripto &erro) {
        if (erro.codigo != QLatin1String("json-invalido") || estrito)
            std::abort(); // the strict grammar accepted what the lenient one refuses
        return 0;
    }
    if (estrito && !(*estrito == valor))
        std::abort();

    const QByteArray escrito = valor.escritoEmUTF8();
    ValorJSON relido;
    try {
        relido = ValorJSON::ler(escrito);
    } catch (const ErroDeCripto &) {
        std::abort(); // the writer produced text the parser refuses
    }
    if (relido.escritoEmUTF8() != escrito || !(relido == valor))
        std::abort();
    if (const ValorJSON outro = refeito(valor); outro.escritoEmUTF8() != escrito || !(outro == valor))
        std::abort();
    try {
        if (!(ValorJSON::lerEstrito(escrito) == relido))
            std::abort();
    } catch (const ErroDeCripto &) {
        std::abort(); // the writer produced text the strict reader refuses
    }

    try {
        const Conta conta = Conta::deJSON(valor);
        if (!(Conta::deJSON(conta.paraJSON()) == conta))
            std::abort();
    } catch (const ErroDeDecodificacao &) {
        // Most documents are not accounts.
    }
    return 0;
}
