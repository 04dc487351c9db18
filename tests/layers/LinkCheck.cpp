// An empty program. Each layer's library is linked into one whole, with only
// the libraries below it: a layer that calls above itself fails to link.
int main()
{
    return 0;
}
