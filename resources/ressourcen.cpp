// Anchor of the resource library; the pictures and help pages are linked in beside it.
namespace tw {
int RessourcenAnker = 0;
}
