#include "core/Item.h"

ItemAberto ItemAberto::de(const ItemCifrado &item, ObjetoJSON conteudo)
{
    return {item.id, item.revisao, item.criadoEm, item.atualizadoEm,
            ConteudoDoItem::de(item.tipo, std::move(conteudo))};
}
