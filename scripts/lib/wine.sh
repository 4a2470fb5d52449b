# The shell pieces the Wine scripts share: source it.

# The Windows path of a host path: Wine maps the host's root to drive Z:.
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# What Wine and X print when they shut down, which says nothing about the run.
wine_noise='^(X connection to .* broken|XIO: |xvfb-run: )'

# Every start of Wine here: in PREFIX, quiet, and without offering to install Mono or Gecko.
#   wine_environment PREFIX
wine_environment() {
    WINEPREFIX=$(readlink -m "$1")
    export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}
