// What ends a `serve` early besides its time: SIGINT or SIGTERM, or the end of standard input.
#pragma once

namespace tools {

// Catches SIGINT and SIGTERM while it lives, so that a served session ends cleanly instead of
// dying with the plugin loaded; the previous handlers come back afterwards.
class ServeWatch {
public:
    ServeWatch();
    ~ServeWatch();
    ServeWatch(const ServeWatch&) = delete;
    ServeWatch& operator=(const ServeWatch&) = delete;

    bool Signalled() const;
    // True once standard input, a pipe or a terminal, has reached its end. Nothing is read from
    // it. A file or a device (such as /dev/null) never ends a serve: a server started in the
    // background keeps serving.
    bool InputEnded() const;
};

}  // namespace tools
