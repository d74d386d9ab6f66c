// SPDX-License-Identifier: MIT
// Which browsers the browser-close watcher watches: those whose profiles show
// that the browser runs by a mark in them (Mozilla and Chromium families);
// the thumbnail cache and Internet Explorer in Wine are not watched.
#pragma once

#include <string_view>

namespace vorlix {

// True for a browser of BrowserTable(), by the name its rows show, that the watcher watches.
bool IsWatchedBrowser(std::string_view name);

}  // namespace vorlix
