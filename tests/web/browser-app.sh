#!/usr/bin/env bash
# Opens a page in a browser as a pupil would, with a fresh profile that goes after: Chromium as an
# application window of its own, as from a shortcut, with its accessibility on for screen readers;
# Firefox on the file, as after a double click on it, opening no tab of its own on a first start (a
# privacy notice would take the focus); Firefox turns its accessibility on once a screen reader runs.
#   [BITKI_OPENING=link] tests/web/browser-app.sh chromium|firefox BROWSER PAGE.html
# BITKI_OPENING=link: the page comes a moment later from a link, in a browser already open.
set -euo pipefail
engine=$1
browser=$2
page=$(realpath "$3")
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
url=file://$page
if [[ "${BITKI_OPENING:-}" == link ]]; then
    printf '<!DOCTYPE html><meta http-equiv="refresh" content="1; url=%s">\n' "$url" >"$profile/start.html"
    url=file://$profile/start.html
elif [[ $engine == chromium ]]; then
    url=--app=$url
fi
if [[ $engine == chromium ]]; then
    # Root needs --no-sandbox; the rest keeps Chromium from asking, translating or reaching the network.
    "$browser" --no-sandbox --force-renderer-accessibility --disable-features=Translate --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync --disable-gpu \
        --user-data-dir="$profile" "$url" &
else
    cat >"$profile/user.js" <<'PREFS'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("trailhead.firstrun.didSeeAboutWelcome", true);
user_pref("browser.startup.page", 0);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("startup.homepage_welcome_url", "");
user_pref("startup.homepage_welcome_url.additional", "");
user_pref("browser.newtabpage.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("datareporting.policy.dataSubmissionPolicyBypassNotification", true);
user_pref("datareporting.policy.firstRunURL", "");
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.uitour.enabled", false);
user_pref("app.update.enabled", false);
user_pref("browser.translations.enable", false);
PREFS
    "$browser" --no-remote --profile "$profile" --width 1024 --height 768 "$url" &
fi
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid"; exit 0' TERM INT
wait "$pid"
