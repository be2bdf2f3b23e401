#!/usr/bin/env bash
# Opens a page in Firefox as a pupil would, with a fresh profile that goes after and opens no tab
# of its own on a first start (a privacy notice would take the focus); Firefox turns its
# accessibility on by itself once a screen reader runs.
#   [BITKI_OPENING=link] tests/web/firefox-app.sh FIREFOX PAGE.html
set -euo pipefail
firefox=$1
page=$(realpath "$2")
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
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
# BITKI_OPENING=link: the page comes a moment later from a link, in a Firefox already open;
# otherwise Firefox starts on the file, as after a double click on it.
url=file://$page
if [[ "${BITKI_OPENING:-}" == link ]]; then
    printf '<!DOCTYPE html><meta http-equiv="refresh" content="1; url=%s">\n' "$url" >"$profile/start.html"
    url=file://$profile/start.html
fi
"$firefox" --no-remote --profile "$profile" --width 1024 --height 768 "$url" &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid"; exit 0' TERM INT
wait "$pid"
