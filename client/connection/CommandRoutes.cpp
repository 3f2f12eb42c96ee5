#include "modEvents.h"

namespace skx {

CommandRoute RouteCommand(char command) {
    auto handler = [](EventHandler h) { return CommandRoute{CommandKind::Handler, h}; };
    // Bands in the order the dispatcher tries them: a-m, n-z, A-M, N-Z, then "#" and "?".
    if (command >= 'a' && command <= 'm') {
        switch (command) {
            case 'a': return handler(&EventLA);
            case 'b': return handler(&EventLB);
            case 'c': return handler(&EventLC);
            case 'd': return handler(&EventLD);
            case 'e': return handler(&EventLE);
            case 'f': return CommandRoute{CommandKind::Ignored, nullptr};
            case 'g': return handler(&EventLG);
            case 'h': return handler(&EventLH);
            case 'i': return handler(&EventLI);
            case 'l': return handler(&EventLL);
            default: return {};
        }
    }
    if (command >= 'n' && command <= 'z') {
        switch (command) {
            case 'n': return handler(&EventLN);
            case 'o': return handler(&EventLO);
            case 'r': return handler(&EventLR);
            case 't': return handler(&EventLT);
            case 'v': return handler(&EventLV);
            case 'w': return handler(&EventLW);
            case 'y': return handler(&EventLY);
            case 'z': return handler(&EventLZ);
            default: return {};
        }
    }
    if (command >= 'A' && command <= 'M') {
        switch (command) {
            case 'B': return handler(&EventUB);
            case 'C': return handler(&EventUC);
            case 'D': return handler(&EventUD);
            case 'E': return handler(&EventUE);
            case 'F': return handler(&EventUF);
            case 'G': return handler(&EventUG);
            case 'L': return handler(&EventUL);
            case 'M': return handler(&EventUM);
            default: return {};
        }
    }
    if (command >= 'N' && command <= 'Z') {
        switch (command) {
            case 'N': return handler(&EventUN);
            case 'O': return handler(&EventUO);
            case 'P': return handler(&EventUP);
            case 'R': return handler(&EventUR);
            case 'S': return handler(&EventUS);
            case 'T': return handler(&EventUT);
            case 'U': return handler(&EventUU);
            case 'V': return handler(&EventUV);
            default: return {};
        }
    }
    if (command == '#') return handler(&EventERROR);
    if (command == '?') return handler(&EventMAP);
    return {};
}

}  // namespace skx
