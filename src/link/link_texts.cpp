#include "link/link_texts.h"

namespace mixer {

std::string LinkTextFor(LinkText text, int language) {
    const bool chinese = language == 2;
    switch (text) {
        case LinkText::Connect: return chinese ? "连接" : "CONNECT";
        case LinkText::Disconnect: return chinese ? "断开" : "DISCONNECT";
        case LinkText::Online: return chinese ? "在线" : "ONLINE";
        case LinkText::Offline: return chinese ? "离线" : "OFFLINE";
        case LinkText::CannotConnect: return chinese ? "连接失败." : "CANNOT CONNECT.";
        case LinkText::SocketError: return "Winsock error!";
        case LinkText::SocketErrorCaption: return "Warming";
    }
    return {};
}

}  // namespace mixer
