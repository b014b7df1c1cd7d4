// Console front end: runs a script as a batch, or reads statements at an interactive prompt.
int main()
{
    return 0;
}
