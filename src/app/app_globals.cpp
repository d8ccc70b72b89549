namespace qm {}
