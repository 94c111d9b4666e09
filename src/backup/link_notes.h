#pragma once
// What the link between the consoles tells the operator: the notes of its
// events (the message line, or the player's standard error) and the role for
// the status line.
#include <cstdint>
#include <string>

namespace prismel::backup {

enum class LinkNote : uint8_t {
    backup_joined,   // primary: a backup subscribed
    backup_lost,     // primary: no backup subscribes any more
    adopted,         // primary, at its start: took over the active backup's live show
    following,       // backup: plays the primary's show
    took_over,       // backup: the primary went silent; this console sends
    gave_back,       // backup: the primary is back; following again
    show_differs,    // backup: its show is not the primary's (said again on every change)
    show_same,       // backup: the shows agree again
    copy_started,    // backup: copying the primary's show
    copy_done,       // backup: the primary's show is in place
    copy_failed,     // backup: the copy did not complete; nothing changed
    no_primary,      // backup: a copy needs a primary that answers
};

// What the status line's role panel shows.
struct LinkStatus {
    enum class Role : uint8_t {
        none,                // a primary that never had a backup
        primary_alone,       // its backup went silent
        primary_backed,      // a backup follows
        primary_overruled,   // a backup is active beside it (they cannot see each other's output)
        backup_starting,
        backup_following,
        backup_active,
    };
    Role role = Role::none;
    bool show_differs = false;
    friend bool operator==(const LinkStatus&, const LinkStatus&) = default;
};

// The message line's text (CP932) and the player's (English).
const char* note_message(LinkNote note);
const char* note_text(LinkNote note);
// The role panel's text (CP932), nine columns at most; empty for none.
std::string status_message(const LinkStatus& status);
// The same for the player's standard error.
std::string status_text(const LinkStatus& status);

}  // namespace prismel::backup
