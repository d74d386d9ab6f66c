// SPDX-License-Identifier: MIT
// Path rules for searches that walk the user's own folders: which canonical
// paths lie inside which, and which folders a search never takes as a place
// to look in.
#pragma once

#include <string>

namespace vorlix {

// Whether the canonical path `path` is `root` or lies below it; "/home/ann2"
// does not lie inside "/home/ann".
bool IsInsideFolder(const std::string& path, const std::string& root);

// Whether a canonical path is "/" or a folder of the system: the trees of
// programs, libraries, settings and kernel views (/usr, /etc, /bin, /sbin,
// /boot, /lib*, /opt, /srv, /snap, /proc, /sys, /dev, /run, /lost+found and
// all below them), /var and all below it but what lies below /var/tmp and
// /var/cache, and the folders that hold everyone's folders (/home, /tmp,
// /mnt, /media, /root) themselves. A search never looks for caches in one of
// these, and no run that asks nothing cleans one.
bool IsSystemFolder(const std::string& path);

}  // namespace vorlix
