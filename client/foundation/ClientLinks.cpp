#include "ClientLinks.h"

namespace skx {

ClientLinkTable& ClientLinks() {
    static ClientLinkTable links;
    return links;
}

}  // namespace skx
