# Sourced by the CI scripts: `stage NAME COMMAND...` runs one stage and prints how long it took
# (`== stage NAME: 312 s`), also when it fails; the total follows when the script ends, however
# it ends, so that a slow run tells where its time went.
stages_started=$(date +%s)

stage() {
    local name=$1 began status=0
    shift
    began=$(date +%s)
    "$@" || status=$?
    echo "== stage $name: $(($(date +%s) - began)) s$([ "$status" = 0 ] || echo ", FAILED ($status)")"
    return "$status"
}

stages_total() {
    echo "== total: $(($(date +%s) - stages_started)) s"
}
trap stages_total EXIT
