// The program each folder's library is linked into whole, with only the
// libraries it names: a call to a folder it does not name fails to link.
int main() {
    return 0;
}
