# Sourced by the benchmark scripts. seedContacts STORE COUNT FOLDER: puts COUNT contacts
# (GivenN SurnameN, givenN@example.com) into the store through jotwise-store STORE, by way of
# a vCard file in FOLDER.
seedContacts() {
    local store=$1 count=$2 folder=$3
    {
        for i in $(seq 1 "$count"); do
            printf 'BEGIN:VCARD\nVERSION:3.0\nN:Surname%d;Given%d;;;\nFN:Given%d Surname%d\n' \
                "$i" "$i" "$i" "$i"
            printf 'EMAIL:given%d@example.com\nEND:VCARD\n' "$i"
        done
    } >"$folder/contacts.vcf"
    "$store" import-vcard "$folder/contacts.vcf" >/dev/null
}
