// UF_initialize / UF_terminate, the release text, fail messages and NX memory.
#include "nxhost/core/session.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "nxhost/core/guard.h"
#include "nxhost/core/reset.h"
#include "uf.h"

namespace nxhost {

int &session_depth_ref();

namespace {

struct SessionState {
    std::string release = "V12.0.2.9";
    std::map<void *, std::size_t> blocks;
};

SessionState &state() {
    static SessionState s;
    return s;
}

const bool registered = register_reset([] {
    for (auto &block : state().blocks) std::free(block.first);
    state() = SessionState{};
});

std::map<int, std::string> &fail_messages() {
    static std::map<int, std::string> messages = {
        {kNotInitialized, "The Open API program has not been initialized"},
        {kBadTag, "Invalid object tag"},
        {kBadArgument, "Invalid argument"},
        {kInjectedFailure, "The operation was aborted"},
        {1105001, "Memory could not be allocated"},
        {1105002, "The session has already been terminated"},
        {1105010, "Object not found"},
        {1105011, "Attribute not found"},
        {1105012, "File not found"},
        {1105013, "File could not be read"},
        {1105014, "File could not be written"},
        {1105015, "No part is open"},
        {1105016, "The object has no name"},
        {1105017, "Invalid layer number"},
        {1105018, "Invalid attribute title"},
        {1105019, "Too many undo marks"},
        {1105020, "Dialog file not found"},
        {1105021, "Dialog item not found"},
        {1105022, "Dialog item does not support this attribute"},
        {1105023, "Call is only allowed inside a dialog callback"},
    };
    return messages;
}

void *record(void *p, std::size_t bytes) {
    if (p) state().blocks[p] = bytes;
    return p;
}

}  // namespace

void set_release_text(const std::string &text) { state().release = text; }
const std::string &release_text() { return state().release; }

std::size_t outstanding_blocks() { return state().blocks.size(); }

std::size_t outstanding_bytes() {
    std::size_t total = 0;
    for (const auto &block : state().blocks) total += block.second;
    return total;
}

void *nx_alloc(std::size_t bytes) {
    if (bytes == 0) return nullptr;
    return record(std::calloc(1, bytes), bytes);
}

char *nx_strdup(const std::string &text) {
    char *p = static_cast<char *>(nx_alloc(text.size() + 1));
    std::memcpy(p, text.c_str(), text.size() + 1);
    return p;
}

unsigned int *nx_tag_array(const unsigned int *tags, std::size_t count) {
    if (count == 0) return nullptr;
    auto *p = static_cast<unsigned int *>(nx_alloc(count * sizeof(unsigned int)));
    std::memcpy(p, tags, count * sizeof(unsigned int));
    return p;
}

bool register_fail_message(int code, const std::string &text) {
    fail_messages()[code] = text;
    return true;
}

std::string fail_message(int code) {
    auto it = fail_messages().find(code);
    return it == fail_messages().end() ? std::string() : it->second;
}

}  // namespace nxhost

using namespace nxhost;

extern "C" int UF_initialize(void) {
    int rc = enter_any("UF_initialize");
    if (rc) return rc;
    ++session_depth_ref();
    return 0;
}

extern "C" int UF_terminate(void) {
    if (session_depth_ref() <= 0) {
        misuse("UF_terminate", "no open session to terminate");
        return 1105002;
    }
    int rc = enter_any("UF_terminate");
    --session_depth_ref();
    return rc;
}

extern "C" int UF_get_release(char **release) {
    NXHOST_ENTER("UF_get_release");
    if (!release) return kBadArgument;
    *release = nx_strdup(release_text());
    return 0;
}

extern "C" int UF_get_fail_message(int fail_code, char message[133]) {
    int rc = enter_any("UF_get_fail_message");
    if (rc) return rc;
    if (!message) return kBadArgument;
    std::string text = fail_message(fail_code);
    if (text.empty()) {
        message[0] = '\0';
        return 1;
    }
    std::strncpy(message, text.c_str(), 132);
    message[132] = '\0';
    return 0;
}

extern "C" void UF_free(void *data) {
    if (!data) return;
    auto &blocks = state().blocks;
    auto it = blocks.find(data);
    if (it == blocks.end()) {
        // Freeing what NX never handed out is a fault in the caller; refuse rather than crash.
        misuse("UF_free", "pointer was not allocated by NX or was already freed");
        return;
    }
    blocks.erase(it);
    std::free(data);
}

extern "C" void UF_free_string_array(int n_strings, char **string_array) {
    if (!string_array) return;
    for (int i = 0; i < n_strings; ++i) UF_free(string_array[i]);
    UF_free(string_array);
}

extern "C" void *UF_allocate_memory(unsigned int nbytes, int *error_code) {
    int rc = enter_any("UF_allocate_memory");
    if (error_code) *error_code = rc;
    if (rc || nbytes == 0) return nullptr;
    return nx_alloc(nbytes);
}

extern "C" void *UF_reallocate_memory(void *data, unsigned int nbytes, int *error_code) {
    int rc = enter_any("UF_reallocate_memory");
    if (error_code) *error_code = rc;
    if (rc) return nullptr;
    if (!data) return nbytes ? nx_alloc(nbytes) : nullptr;
    auto &blocks = state().blocks;
    auto it = blocks.find(data);
    if (it == blocks.end()) {
        misuse("UF_reallocate_memory", "pointer was not allocated by NX");
        if (error_code) *error_code = kBadArgument;
        return nullptr;
    }
    if (nbytes == 0) {
        blocks.erase(it);
        std::free(data);
        return nullptr;
    }
    void *grown = std::realloc(data, nbytes);
    if (!grown) {
        if (error_code) *error_code = 1105001;
        return nullptr;
    }
    blocks.erase(data);
    return record(grown, nbytes);
}

extern "C" int UF_translate_variable(const char *variable, char **translation) {
    NXHOST_ENTER("UF_translate_variable");
    if (!variable || !translation) return kBadArgument;
    // The environment's own text, which the caller must not free: as NX hands it out.
    *translation = std::getenv(variable);
    return 0;
}
