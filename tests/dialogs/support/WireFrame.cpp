#include "WireFrame.h"

#include <cstdio>

std::string WireFrame(const std::string& payload) {
    unsigned long sum = 0;
    for (std::size_t at = 0; at < payload.size(); at += 3) {
        sum ^= std::stoul(payload.substr(at, 2), nullptr, 16);
    }
    char check[3];
    std::snprintf(check, sizeof(check), "%02lX", sum);
    return "55 AA " + payload + " " + check;
}
